// A program that imports a function Windows XP lacks (GetTickCount64 came with Vista): the
// import check must report it.
extern "C" __declspec(dllimport) unsigned long long __stdcall GetTickCount64();

int main() {
    return GetTickCount64() == 0 ? 1 : 0;
}

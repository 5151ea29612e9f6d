#include "framework/core/Stream.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Exceptions.h"

int TStream::Size() {
    const int position = Seek(0, soFromCurrent);
    const int size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int count) {
    if (count < 0 || (count != 0 && Read(buffer, count) != count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count < 0 || (count != 0 && Write(buffer, count) != count))
        throw EStreamError("Stream write error");
}

int TStream::CopyFrom(TStream* source, int count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    unsigned char chunk[4096];
    int left = count;
    while (left > 0) {
        const int n = std::min(left, static_cast<int>(sizeof chunk));
        source->ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        left -= n;
    }
    return count;
}

int TMemoryStream::Read(void* buffer, int count) {
    if (count <= 0 || m_position >= m_data.size())
        return 0;
    const size_t n = std::min(static_cast<size_t>(count), m_data.size() - m_position);
    std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return static_cast<int>(n);
}

int TMemoryStream::Write(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    const size_t end = m_position + static_cast<size_t>(count);
    if (end > m_data.size())
        m_data.resize(end);
    std::memcpy(m_data.data() + m_position, buffer, static_cast<size_t>(count));
    m_position = end;
    return count;
}

int TMemoryStream::Seek(int offset, TSeekOrigin origin) {
    long long base = 0;
    if (origin == soFromCurrent)
        base = static_cast<long long>(m_position);
    else if (origin == soFromEnd)
        base = static_cast<long long>(m_data.size());
    const long long target = base + offset;
    if (target < 0 || target > 0x7FFFFFFF)
        throw EStreamError("Stream seek error");
    m_position = static_cast<size_t>(target);
    return static_cast<int>(target);
}

void TMemoryStream::SetSize(int size) {
    m_data.resize(static_cast<size_t>(std::max(size, 0)));
    m_position = std::min(m_position, m_data.size());
}

void TMemoryStream::Clear() {
    m_data.clear();
    m_position = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    const int size = stream->Size();
    std::vector<unsigned char> data(static_cast<size_t>(size));
    stream->ReadBuffer(data.data(), size);
    m_data.swap(data);
    m_position = 0;
}

void TMemoryStream::SaveToStream(TStream* stream) {
    stream->WriteBuffer(m_data.data(), Size());
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(&file);
}

void TMemoryStream::SaveToFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(&file);
}

TFileStream::TFileStream(const AnsiString& fileName, unsigned mode) : m_fileName(fileName) {
    const char* how = "rb";
    if (mode == fmCreate)
        how = "w+b";
    else if ((mode & 3) == fmOpenWrite || (mode & 3) == fmOpenReadWrite)
        how = "r+b";
    m_file = std::fopen(fileName.c_str(), how);
    if (!m_file) {
        const char* verb = mode == fmCreate ? "Cannot create file \"" : "Cannot open file \"";
        throw EFOpenError(AnsiString(verb) + fileName + "\"");
    }
}

TFileStream::~TFileStream() {
    std::fclose(m_file);
}

int TFileStream::Read(void* buffer, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), m_file));
}

int TFileStream::Write(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(count), m_file));
}

int TFileStream::Seek(int offset, TSeekOrigin origin) {
    const int whence = origin == soFromBeginning ? SEEK_SET
                       : origin == soFromCurrent ? SEEK_CUR
                                                 : SEEK_END;
    if (std::fseek(m_file, offset, whence) != 0)
        throw EStreamError("Stream seek error");
    return static_cast<int>(std::ftell(m_file));
}

void TFileStream::SetSize(int size) {
    // The C library cannot cut a file; growing is all it can do.
    const int position = Position();
    if (size > Seek(0, soFromEnd)) {
        Seek(size - 1, soFromBeginning);
        const unsigned char zero = 0;
        WriteBuffer(&zero, 1);
    } else if (size < Size()) {
        Seek(position, soFromBeginning);
        throw EStreamError("Stream size cannot be reduced");
    }
    Seek(std::min(position, size), soFromBeginning);
}

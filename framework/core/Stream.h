#pragma once
#include <cstdio>
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/core/Object.h"

// Seek origins.
enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// A sequence of bytes with a position. Read and Write move as far as they can and say how
// far; ReadBuffer and WriteBuffer insist on the whole count (EReadError "Stream read error",
// EStreamError "Stream write error").
class TStream : public TObject {
public:
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // Returns the new position. A position before the start raises EStreamError.
    virtual int Seek(int offset, TSeekOrigin origin) = 0;

    int Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int position) { Seek(position, soFromBeginning); }
    virtual int Size();
    virtual void SetSize(int size) = 0;

    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);
    // Copies count bytes from source (count 0: all of source, from its start). Returns count.
    int CopyFrom(TStream* source, int count);
};

// A stream in memory; it grows as it is written.
class TMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int Seek(int offset, TSeekOrigin origin) override;
    int Size() override { return static_cast<int>(m_data.size()); }
    void SetSize(int size) override;

    void Clear();
    // The bytes, valid until the next write or resize.
    void* Memory() { return m_data.data(); }
    const std::vector<unsigned char>& Bytes() const { return m_data; }

    void LoadFromStream(TStream* stream); // replaces the contents with all of stream
    void SaveToStream(TStream* stream);   // writes the whole contents
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);

private:
    std::vector<unsigned char> m_data;
    size_t m_position = 0;
};

// File open modes.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00,
};

// A stream over a file. A file that cannot be opened raises EFOpenError
// "Cannot open file \"<name>\"" (or "Cannot create file \"<name>\"" for fmCreate).
class TFileStream : public TStream {
public:
    TFileStream(const AnsiString& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int Seek(int offset, TSeekOrigin origin) override;
    void SetSize(int size) override;

    const AnsiString& FileName() const { return m_fileName; }

private:
    AnsiString m_fileName;
    std::FILE* m_file = nullptr;
};

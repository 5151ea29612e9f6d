#pragma once
#include <cstddef>
#include <string>

// The decoder of the programs' compressed resources (tools/build/compress-form.py writes them).
//
// A stream is the signature "LZT1", the decoded size as 4 bytes little-endian, then
// sequences until the decoded size is reached. A sequence is one token byte, whose high
// four bits are the number of literal bytes and whose low four bits are the length of the
// copy that follows them, less 4; 15 in either half means that more bytes follow, each added
// to the length, up to and including the first one below 255. Then come the literals, and,
// unless the literals completed the output, the copy: a 2-byte little-endian distance back
// into the output (1 .. 65535) and the copy length's extra bytes. The copy may overlap what
// it produces. The stream ends exactly where the output is complete, after a copy or after
// literals (whose token then has 0 in its copy half).

// The signature and header of a stream.
constexpr char LzSignature[] = "LZT1";
constexpr std::size_t LzHeaderSize = 8;
// Streams that decode to more than this are refused before anything is decoded.
constexpr std::size_t LzMaxDecodedSize = 64u << 20;

// True when the bytes start with the signature (the rest may still be malformed).
bool IsLzStream(const void* data, std::size_t size);

// The decoded bytes. A truncated or malformed stream, trailing bytes, a distance back beyond
// the start of the output, a copy or literal run past the decoded size, or a decoded size over
// maxSize raises EReadError; the decoder never reads or writes outside its buffers.
std::string LzDecode(const void* data, std::size_t size, std::size_t maxSize = LzMaxDecodedSize);

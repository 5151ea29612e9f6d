#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Stream.h"
#include "tests/support/ExceptionMessage.h"

TEST(MemoryStream, WritesGrowTheStreamAndReadsStopAtTheEnd) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    stream.SetPosition(4);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(stream.Read(buffer, 8), 0);

    // Writing past the end leaves zero bytes in the gap.
    stream.Seek(2, soFromEnd);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(stream.Size(), 9);
    EXPECT_EQ(stream.Bytes()[6], 0);
    EXPECT_EQ(stream.Bytes()[8], 'z');
}

TEST(MemoryStream, AShortReadBufferRaisesReadErrorAndSeekingBeforeTheStartFails) {
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    stream.SetPosition(1);
    char buffer[4];
    EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), "Stream read error");
    EXPECT_THROW(stream.Seek(-1, soFromBeginning), EStreamError);
    EXPECT_THROW(stream.Seek(-4, soFromEnd), EStreamError);
}

TEST(FileStream, AMissingFileRaisesOpenErrorNamingTheFile) {
    EXPECT_EQ(
        MessageOf<EFOpenError>([] { TFileStream stream("no/such/dir/file.bmp", fmOpenRead); }),
        "Cannot open file \"no/such/dir/file.bmp\"");
}

TEST(FileStream, WhatIsWrittenReadsBack) {
    const std::string name = ::testing::TempDir() + "stream_test.bin";
    {
        TMemoryStream source;
        source.WriteBuffer("0123456789", 10);
        source.SaveToFile(name.c_str());
    }
    TMemoryStream copy;
    copy.LoadFromFile(name.c_str());
    EXPECT_EQ(std::string(copy.Bytes().begin(), copy.Bytes().end()), "0123456789");
    {
        TFileStream file(name.c_str(), fmOpenRead);
        EXPECT_EQ(file.Size(), 10);
        file.Seek(-3, soFromEnd);
        char tail[3];
        file.ReadBuffer(tail, 3);
        EXPECT_EQ(std::string(tail, 3), "789");
        EXPECT_THROW(file.ReadBuffer(tail, 1), EReadError);
    }
    std::remove(name.c_str());
}

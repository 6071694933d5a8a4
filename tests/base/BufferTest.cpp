#include <gtest/gtest.h>

#include <cstring>

#include "base/Buffer.h"
#include "base/Exception.h"

namespace {

using app::UCharBuffer;

void Fill(UCharBuffer& buffer, unsigned char first) {
    unsigned char* data = buffer.Data();
    for (int32_t i = 0; i < buffer.Size(); ++i)
        data[i] = static_cast<unsigned char>(first + i);
}

TEST(Buffer, AllocateAndReleaseBelowOneByteLeaveTheBufferEmpty) {
    UCharBuffer buffer;
    buffer.Allocate(16);
    EXPECT_EQ(buffer.Size(), 16);
    buffer.Allocate(0);
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.Data(), nullptr);
    buffer.Allocate(-5);
    EXPECT_TRUE(buffer.IsEmpty());
    buffer.Allocate(8);
    buffer.Resize(0);
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.ConstData(), nullptr);
}

TEST(Buffer, CopiesShareUntilOneWrites) {
    UCharBuffer a;
    a.Allocate(4);
    Fill(a, 10);
    UCharBuffer b(a);
    EXPECT_EQ(a.ConstData(), b.ConstData());
    EXPECT_TRUE(a.IsShared());

    b.Data()[0] = 99;  // unshares b
    EXPECT_NE(a.ConstData(), b.ConstData());
    EXPECT_EQ(a.ConstData()[0], 10);
    EXPECT_EQ(b.ConstData()[0], 99);
    EXPECT_EQ(b.ConstData()[3], 13);
    EXPECT_FALSE(a.IsShared());
}

TEST(Buffer, GrowingASharedBufferCopiesAndLeavesTheOtherSharerAlone) {
    UCharBuffer a;
    a.Allocate(4);
    Fill(a, 1);
    UCharBuffer b;
    b.Share(a);
    b.Resize(8);
    EXPECT_EQ(a.Size(), 4);
    EXPECT_EQ(b.Size(), 8);
    EXPECT_EQ(std::memcmp(a.ConstData(), b.ConstData(), 4), 0);
    b.Data()[0] = 42;
    EXPECT_EQ(a.ConstData()[0], 1);

    UCharBuffer c(a);
    c.Reserve(16);
    EXPECT_EQ(c.Size(), 16);
    EXPECT_EQ(a.Size(), 4);
    EXPECT_EQ(c.ConstData()[3], 4);
}

TEST(Buffer, ShrinkingKeepsTheFirstBytes) {
    UCharBuffer a;
    a.Allocate(10);
    Fill(a, 0);
    a.Resize(3);
    EXPECT_EQ(a.Size(), 3);
    EXPECT_EQ(a.ConstData()[2], 2);
}

TEST(Buffer, ReserveNeverShrinksOrUnshares) {
    UCharBuffer a;
    a.Allocate(32);
    UCharBuffer b(a);
    b.Reserve(8);
    EXPECT_EQ(b.Size(), 32);
    EXPECT_EQ(a.ConstData(), b.ConstData());
}

TEST(Buffer, ShareSwapAndSelfShare) {
    UCharBuffer a, b;
    a.Allocate(2);
    a.Share(a);
    EXPECT_EQ(a.Size(), 2);
    EXPECT_FALSE(a.IsShared());
    b.Allocate(5);
    a.Swap(b);
    EXPECT_EQ(a.Size(), 5);
    EXPECT_EQ(b.Size(), 2);
    UCharBuffer empty;
    a.Share(empty);
    EXPECT_TRUE(a.IsEmpty());
}

TEST(Buffer, ExhaustedMemoryRaisesCodeThreeAndKeepsTheBuffer) {
    UCharBuffer a;
    a.Allocate(4);
    Fill(a, 7);
    const unsigned char* before = a.ConstData();
    try {
        a.Resize(0x7FFFFFF0);
        // Some systems grant the address space; then the buffer is simply larger.
        a.Resize(4);
    } catch (const app::Exception& e) {
        EXPECT_EQ(e.Code(), app::ErrorNoMemory);
        EXPECT_EQ(a.Size(), 4);
        EXPECT_EQ(a.ConstData(), before);
    }
    EXPECT_EQ(a.ConstData()[3], 10);
}

TEST(Buffer, TypedBufferCountsElements) {
    app::Buffer<double> doubles;
    doubles.Allocate(10 * sizeof(double));
    EXPECT_EQ(doubles.Count(), 10);
    doubles.Data()[9] = 2.5;
    EXPECT_EQ(doubles.ConstData()[9], 2.5);
}

}  // namespace

#include "base/UCharBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/Exception.h"

namespace app {

namespace {

int32_t g_refusedFrom = 0;

void* Obtain(void* block, int32_t bytes) {
    if (g_refusedFrom > 0 && bytes >= g_refusedFrom)
        return nullptr;
    return std::realloc(block, static_cast<size_t>(bytes));
}

}  // namespace

void UCharBuffer::RefuseBlocksFrom(int32_t bytes) noexcept {
    g_refusedFrom = bytes;
}

BufferHolder* UCharBuffer::NewHolder(int32_t bytes) {
    auto* holder = static_cast<BufferHolder*>(std::malloc(sizeof(BufferHolder)));
    if (!holder)
        throw Exception(ErrorNoMemory);
    holder->data = static_cast<unsigned char*>(Obtain(nullptr, bytes));
    if (!holder->data) {
        std::free(holder);
        throw Exception(ErrorNoMemory);
    }
    holder->size = bytes;
    holder->references = 1;
    return holder;
}

void UCharBuffer::DropHolder(BufferHolder* holder) noexcept {
    if (holder && --holder->references == 0) {
        std::free(holder->data);
        std::free(holder);
    }
}

UCharBuffer::UCharBuffer(const UCharBuffer& other) noexcept : holder_(other.holder_) {
    if (holder_)
        ++holder_->references;
}

UCharBuffer::UCharBuffer(UCharBuffer&& other) noexcept : holder_(other.holder_) {
    other.holder_ = nullptr;
}

UCharBuffer& UCharBuffer::operator=(const UCharBuffer& other) noexcept {
    Share(other);
    return *this;
}

UCharBuffer& UCharBuffer::operator=(UCharBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        std::swap(holder_, other.holder_);
    }
    return *this;
}

UCharBuffer::~UCharBuffer() {
    Release();
}

void UCharBuffer::Allocate(int32_t bytes) {
    Release();
    if (bytes < 1)
        return;
    holder_ = NewHolder(bytes);
}

void UCharBuffer::Resize(int32_t bytes) {
    if (bytes <= 0) {
        Release();
        return;
    }
    if (!holder_) {
        Allocate(bytes);
        return;
    }
    if (holder_->references < 2) {
        // Sole owner: grow or shrink in place; on failure the old block stays as it was.
        void* grown = Obtain(holder_->data, bytes);
        if (!grown)
            throw Exception(ErrorNoMemory);
        holder_->data = static_cast<unsigned char*>(grown);
        holder_->size = bytes;
        return;
    }
    BufferHolder* fresh = NewHolder(bytes);
    std::memcpy(fresh->data, holder_->data, static_cast<size_t>(std::min(bytes, holder_->size)));
    DropHolder(holder_);
    holder_ = fresh;
}

void UCharBuffer::Reserve(int32_t bytes) {
    if (!holder_) {
        Allocate(bytes);
    } else if (holder_->size < bytes) {
        Resize(bytes);
    }
}

void UCharBuffer::Release() noexcept {
    DropHolder(holder_);
    holder_ = nullptr;
}

unsigned char* UCharBuffer::Data() {
    if (!holder_)
        return nullptr;
    if (holder_->references >= 2) {
        BufferHolder* copy = NewHolder(holder_->size);
        std::memcpy(copy->data, holder_->data, static_cast<size_t>(holder_->size));
        DropHolder(holder_);
        holder_ = copy;
    }
    return holder_->data;
}

void UCharBuffer::Swap(UCharBuffer& other) noexcept {
    std::swap(holder_, other.holder_);
}

void UCharBuffer::Share(const UCharBuffer& other) noexcept {
    if (holder_ == other.holder_)
        return;
    Release();
    holder_ = other.holder_;
    if (holder_)
        ++holder_->references;
}

}  // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "limits/AllocationProbe.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};
std::atomic<std::size_t> total{0};
std::atomic<std::size_t> count{0};

void* Allocate(std::size_t size, std::size_t alignment) {
    if (watching.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
        total.fetch_add(size, std::memory_order_relaxed);
        count.fetch_add(1, std::memory_order_relaxed);
        if (size > lutaris::test::AllocationProbe::kRefusedBytes) throw std::bad_alloc();
    }
    if (size == 0) size = 1;
    void* block = alignment <= alignof(std::max_align_t)
                      ? std::malloc(size)
                      : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new[](std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size, alignof(std::max_align_t));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }

namespace lutaris::test {

AllocationProbe::AllocationProbe() : start_(std::chrono::steady_clock::now()) {
    largest = 0;
    total = 0;
    count = 0;
    watching = true;
}

AllocationProbe::~AllocationProbe() { watching = false; }

std::size_t AllocationProbe::LargestRequest() const { return largest; }
std::size_t AllocationProbe::TotalRequested() const { return total; }
std::size_t AllocationProbe::RequestCount() const { return count; }

double AllocationProbe::ElapsedMilliseconds() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
}

void AllocationProbe::Report(const std::string& what) const {
    std::printf("[ limits   ] %s: %.2f ms, largest allocation %zu bytes, %zu bytes in %zu\n",
                what.c_str(), ElapsedMilliseconds(), LargestRequest(), TotalRequested(),
                RequestCount());
}

}  // namespace lutaris::test

#include "tests/support/failing_allocator.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long g_allocationsBeforeFailure = -1;  // -1: none fails

void* Allocate(std::size_t n) noexcept {
  if (g_allocationsBeforeFailure >= 0 && g_allocationsBeforeFailure-- == 0) return nullptr;
  return std::malloc(n == 0 ? 1 : n);
}
void* AllocateOrThrow(std::size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}
}  // namespace

namespace nox::test {
void FailAllocationAfter(long n) { g_allocationsBeforeFailure = n; }
}  // namespace nox::test

void* operator new(std::size_t n) { return AllocateOrThrow(n); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

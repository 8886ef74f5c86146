#pragma once
// Every allocation of a test program goes through the replacement operator new of
// failing_allocator.cpp, so that a test can make the n-th allocation from now fail and check that
// what it called leaves nothing half done.

namespace nox::test {

// The next n allocations succeed, the one after them fails (std::bad_alloc, or nullptr for the
// nothrow forms); n < 0: none fails. Only one failure is armed at a time.
void FailAllocationAfter(long n);

}  // namespace nox::test

// The one way an exception becomes a result. Nothing may throw across an export, a C entry point
// of the store or a window procedure, so their bodies run in NoThrow: what a body throws ends it
// with the result given for a failure, or the one for running out of memory where the caller has
// a code of its own for that. Portable: the store's libraries use it too.
#pragma once

#include <new>
#include <type_traits>

template <typename Body, typename Result = std::invoke_result_t<Body&>>
Result NoThrow(Body body, Result failure, Result noMemory) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return noMemory;
    } catch (...) {
        return failure;
    }
}

template <typename Body, typename Result = std::invoke_result_t<Body&>>
Result NoThrow(Body body, Result failure) noexcept
{
    return NoThrow(body, failure, failure);
}

// For a body without a result: what it throws simply ends it.
template <typename Body>
void NoThrow(Body body) noexcept
{
    try {
        body();
    } catch (...) {
    }
}

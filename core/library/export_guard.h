// The boundary of every export: no exception may reach the caller, who is C code or another
// process's loader. The pool's PoolOutOfMemory (or any other) becomes the export's failure
// value, with ERROR_NOT_ENOUGH_MEMORY as the last error when memory ran out.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

// Runs the export's body and returns its result, or `failure` when the body throws.
template <typename Body, typename Result = std::invoke_result_t<Body&>>
Result GuardExport(std::type_identity_t<Result> failure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
    }
    return failure;
}

// For an export that returns nothing: the body's exception ends the body, and the call.
template <typename Body>
void GuardExport(Body&& body) noexcept {
    try {
        body();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
    }
}

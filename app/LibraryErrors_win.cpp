// The standard library's own throwers, replaced: its versions throw
// std::length_error and kin, which carry libstdc++'s second, reference-counted
// string implementation and pull about 45 KB into the exe. These throw
// zv::Exception with the same text, which every catch of std::exception still
// catches; the program catches none of the specific library types.
#include <bits/functexcept.h>

#include <cstdarg>
#include <new>

#include "core/Errors.h"

namespace std {

// Out of memory: no text to allocate, and callers may look for bad_alloc.
void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw zv::Exception("std::bad_array_new_length");
}

void __throw_bad_function_call() {
    throw zv::Exception("bad_function_call");
}

void __throw_bad_cast() {
    throw zv::Exception("std::bad_cast");
}

void __throw_bad_typeid() {
    throw zv::Exception("std::bad_typeid");
}

void __throw_bad_exception() {
    throw zv::Exception("std::bad_exception");
}

void __throw_logic_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_domain_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_invalid_argument(const char* text) {
    throw zv::Exception(text);
}

void __throw_length_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_out_of_range(const char* text) {
    throw zv::Exception(text);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text;
    try {
        text = zv::FormatLibraryMessage(format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    throw zv::Exception(std::move(text));
}

void __throw_runtime_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_range_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_overflow_error(const char* text) {
    throw zv::Exception(text);
}

void __throw_underflow_error(const char* text) {
    throw zv::Exception(text);
}

}  // namespace std

// Linked into the release build of both deliverables only (see the top-level CMakeLists.txt).
//
// Nothing in the deliverables catches an exception, so any throw ends in std::terminate and abort. The C++
// runtime's own way there is heavy: its throw helpers build exception objects with strings of the old
// string layout, and its default terminate handler demangles the type name to print it on a console that a
// Windows program does not have; together about 100 KB of each binary. These definitions take the place of
// the runtime's (an archive member is linked only for a symbol still missing) and go to abort at once:
// the same end, and a crash dump that stops where the fault is. Should the runtime need a helper that is
// not defined here, the link fails with a duplicate definition instead of shipping both.
#include <bits/functexcept.h>  // the runtime's declarations, so that a signature that drifts fails to compile
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
}  // namespace std

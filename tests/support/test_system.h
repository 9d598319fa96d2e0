// test_system.h - which system a test program was built for, for the few cases whose outcome
// legitimately differs there (texts of the system's own libraries, features WLDAP32 lacks).
#pragma once

#ifdef _WIN32
inline constexpr bool kBuiltForWindows = true;
#else
inline constexpr bool kBuiltForWindows = false;
#endif

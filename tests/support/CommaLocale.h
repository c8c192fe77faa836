#pragma once
// Puts the C library under a locale whose decimal separator is a comma for the
// lifetime of the object, as the application object does for a German user, and
// restores the previous locale afterwards. scripts/setup generates de_DE.UTF-8; where
// no comma locale is installed, Active() is false and the test skips:
//
//     ScopedCommaLocale comma;
//     if (!comma.Active())
//         GTEST_SKIP() << ScopedCommaLocale::kMissing;
#include <string>

class ScopedCommaLocale
{
public:
    static constexpr const char* kMissing =
        "no comma-decimal locale is installed (scripts/setup generates de_DE.UTF-8)";

    ScopedCommaLocale();
    ~ScopedCommaLocale();
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    bool Active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
};

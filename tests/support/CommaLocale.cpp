#include "CommaLocale.h"

#include <clocale>
#include <cstring>

ScopedCommaLocale::ScopedCommaLocale()
{
    if (const char* current = std::setlocale(LC_ALL, nullptr))
        m_saved = current;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "es_ES.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            m_active = true;
            return;
        }
    }
    std::setlocale(LC_ALL, m_saved.empty() ? "C" : m_saved.c_str());
}

ScopedCommaLocale::~ScopedCommaLocale()
{
    std::setlocale(LC_ALL, m_saved.empty() ? "C" : m_saved.c_str());
}

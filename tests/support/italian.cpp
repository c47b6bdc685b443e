#include "italian.h"

#include <QLocale>
#include <clocale>
#include <cstdio>

namespace quorvane::testing {

void ItalianDesktop::SetUp() {
    ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr)
        << "the it_IT.UTF-8 locale is not installed (scripts/setup generates it)";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    ASSERT_STREQ(buf, "1,5") << "the C library does not write Italian numbers";
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void ItalianDesktop::TearDown() {
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

} // namespace quorvane::testing

// The desktop's Italian locale, for the C library (as Qt sets it from the
// desktop at start-up) and for Qt's own number texts. A machine without the
// it_IT.UTF-8 locale fails the test rather than passing it unchecked.
#pragma once

#include <gtest/gtest.h>

namespace quorvane::testing {

class ItalianDesktop : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace quorvane::testing

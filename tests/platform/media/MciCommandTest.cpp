#include <gtest/gtest.h>

#include "platform/media/MciCommand.h"

namespace {

using namespace media;

TEST(MciCommand, Placeholder) {
    EXPECT_EQ(parseMciCommand("").error, MciError::MissingCommand);
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/message_box.h"

int main(int argc, char** argv) {
    // Messages are recorded for the tests to read; on Windows no modal box may wait for a click.
    RecordMessages(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

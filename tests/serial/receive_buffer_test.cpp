#include "serial/receive_buffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using serial::ReceiveBuffer;

TEST(ReceiveBuffer, KeepsArrivalOrderAndDropsWhatDoesNotFit) {
    struct Case {
        std::vector<int> appends;  // sizes of successive appends
        std::vector<int> kept;     // what each append kept
    };
    const Case cases[] = {
        {{5}, {5}},
        {{600}, {512}},
        {{500, 20, 1}, {500, 12, 0}},
    };
    for (const Case& c : cases) {
        ReceiveBuffer buffer;
        std::lock_guard lock(buffer.mutex);
        uint8_t next = 1;
        std::vector<uint8_t> expected;
        for (size_t i = 0; i < c.appends.size(); ++i) {
            std::vector<uint8_t> bytes(static_cast<size_t>(c.appends[i]));
            for (uint8_t& b : bytes) {
                b = next++;
            }
            EXPECT_EQ(buffer.Append(bytes.data(), c.appends[i]), c.kept[i]);
            expected.insert(expected.end(), bytes.begin(), bytes.begin() + c.kept[i]);
        }
        std::vector<uint8_t> taken;
        uint8_t byte = 0;
        while (buffer.Take(&byte)) {
            taken.push_back(byte);
        }
        EXPECT_EQ(taken, expected);
        EXPECT_EQ(buffer.readPosition(), buffer.fillCount());
    }
}

TEST(ReceiveBuffer, ResetEmptiesAndZeroesEverything) {
    ReceiveBuffer buffer;
    std::lock_guard lock(buffer.mutex);
    const uint8_t bytes[] = {7, 8, 9};
    buffer.Append(bytes, 3);
    uint8_t byte = 0;
    buffer.Take(&byte);
    buffer.setLineErrors(0x08);
    buffer.Reset();
    EXPECT_EQ(buffer.fillCount(), 0);
    EXPECT_EQ(buffer.readPosition(), 0);
    EXPECT_EQ(buffer.lineErrors(), 0u);
    EXPECT_EQ(std::accumulate(buffer.data(), buffer.data() + ReceiveBuffer::kSize, 0), 0);
    EXPECT_FALSE(buffer.Take(&byte));
}

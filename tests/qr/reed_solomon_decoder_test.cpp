// Block correction against blocks built by the encoder's EC computation.
#include "reed_solomon_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "reed_solomon.h"

namespace {

std::vector<uint8_t> valid_block(int data_length, int ec_count, std::mt19937& rng) {
    std::vector<uint8_t> block(static_cast<size_t>(data_length + ec_count));
    for (int i = 0; i < data_length; ++i)
        block[static_cast<size_t>(i)] = static_cast<uint8_t>(rng());
    compute_ec_codewords(block.data(), data_length, ec_count, block.data() + data_length);
    return block;
}

// Adds nonzero errors at `count` distinct random positions.
void add_errors(std::vector<uint8_t>& block, int count, std::mt19937& rng) {
    std::vector<int> order(block.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), rng);
    for (int e = 0; e < count; ++e)
        block[static_cast<size_t>(order[static_cast<size_t>(e)])] ^=
            static_cast<uint8_t>(rng() % 255 + 1);
}

struct Shape {
    int data_length, ec_count;
};

}  // namespace

TEST(ReedSolomonDecoder, CorrectsUpToHalfTheEcCodewords) {
    std::mt19937 rng(11);
    for (Shape shape : {Shape{44, 26}, Shape{45, 26}, Shape{16, 10}, Shape{200, 24}}) {
        for (int errors = 0; errors <= shape.ec_count / 2; ++errors) {
            for (int trial = 0; trial < 20; ++trial) {
                const std::vector<uint8_t> sent =
                    valid_block(shape.data_length, shape.ec_count, rng);
                std::vector<uint8_t> received = sent;
                add_errors(received, errors, rng);
                ASSERT_EQ(correct_block(received.data(), shape.data_length, shape.ec_count), errors)
                    << shape.data_length << "+" << shape.ec_count << ", " << errors << " errors";
                ASSERT_EQ(received, sent);
            }
        }
    }
}

TEST(ReedSolomonDecoder, RefusesMoreErrorsAndLeavesTheBlockAlone) {
    std::mt19937 rng(12);
    for (Shape shape : {Shape{44, 26}, Shape{45, 26}}) {
        for (int errors = shape.ec_count / 2 + 1; errors <= shape.ec_count + 10; ++errors) {
            for (int trial = 0; trial < 40; ++trial) {
                std::vector<uint8_t> received = valid_block(shape.data_length, shape.ec_count, rng);
                add_errors(received, errors, rng);
                const std::vector<uint8_t> before = received;
                ASSERT_EQ(correct_block(received.data(), shape.data_length, shape.ec_count), -1)
                    << errors << " errors";
                ASSERT_EQ(received, before);
            }
        }
    }
}

TEST(ReedSolomonDecoder, RefusesErrorsLocatedBeyondAShortenedBlock) {
    // A codeword one longer with a nonzero first codeword, that codeword cut
    // off: the rest looks like one error at a position the block does not have.
    std::mt19937 rng(13);
    for (int trial = 0; trial < 50; ++trial) {
        std::vector<uint8_t> longer = valid_block(45, 26, rng);
        if (longer[0] == 0)
            continue;
        std::vector<uint8_t> shortened(longer.begin() + 1, longer.end());
        const std::vector<uint8_t> before = shortened;
        ASSERT_EQ(correct_block(shortened.data(), 44, 26), -1);
        ASSERT_EQ(shortened, before);
    }
}

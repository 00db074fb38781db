#include "views/rowedit.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

using V = EditKeyVerdict;

struct KeyCase {
    const char* name;
    QString text;
    int caret;
    int maxLength;
    QChar key;
    EditKeyVerdict expected;
};

class EditKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(EditKeyTest, DecidesEachKey) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(FilterRowEditKey(c.text, c.caret, c.maxLength, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditKeyTest,
    ::testing::Values(
        KeyCase{"enter_finishes", "12", 2, 15, editkey::kEnter, {V::Finish, {}}},
        KeyCase{"enter_finishes_at_limit", "12 34", 14, 15, editkey::kEnter, {V::Finish, {}}},
        KeyCase{"digit", "", 0, 15, QChar('7'), {V::Take, QChar('7')}},
        KeyCase{"upper_hex", "1", 1, 15, QChar('C'), {V::Take, QChar('C')}},
        KeyCase{"lower_hex_raised", "1", 1, 15, QChar('f'), {V::Take, QChar('F')}},
        KeyCase{"other_letter", "1", 1, 15, QChar('g'), {V::Refuse, {}}},
        KeyCase{"punctuation", "1", 1, 15, QChar(','), {V::Refuse, {}}},
        KeyCase{"last_position_refuses", "12 34 56 78 9", 14, 15, QChar('A'), {V::Refuse, {}}},
        KeyCase{"backspace_at_last_position",
                "12 34",
                14,
                15,
                editkey::kBackspace,
                {V::Take, editkey::kBackspace}},
        KeyCase{
            "backspace_at_start", "", 0, 15, editkey::kBackspace, {V::Take, editkey::kBackspace}},
        KeyCase{"blank_at_start", "12", 0, 15, QChar(' '), {V::Refuse, {}}},
        KeyCase{"blank_after_blank", "12 ", 3, 15, QChar(' '), {V::Refuse, {}}},
        KeyCase{"blank_before_blank", "12 34", 2, 15, QChar(' '), {V::Refuse, {}}},
        KeyCase{"blank_between_digits", "1234", 2, 15, QChar(' '), {V::Take, QChar(' ')}},
        KeyCase{"blank_at_end", "12", 2, 15, QChar(' '), {V::Take, QChar(' ')}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FinishCase {
    const char* name;
    QString text;
    int maxLength;
    Bytes expected;
};

class FinishEditTest : public ::testing::TestWithParam<FinishCase> {};

TEST_P(FinishEditTest, GivesExactlyTheRowsByteCount) {
    const FinishCase& c = GetParam();
    EXPECT_EQ(FinishRowEdit(c.text, c.maxLength), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FinishEditTest,
    ::testing::Values(FinishCase{"unchanged_tail", "01 02 03 04 05", 15, {1, 2, 3, 4, 5}},
                      FinishCase{"more_typed_is_cut", "01 02 03 04 05 06 07", 15, {1, 2, 3, 4, 5}},
                      FinishCase{"one_alone_padded", "1", 15, {1, 0, 0, 0, 0}},
                      FinishCase{"empty_is_zeros", "", 6, {0, 0}},
                      FinishCase{"full_row",
                                 "FF EE DD CC BB AA 99 88 77 66 55 44 33 22 11 00",
                                 48,
                                 {0xFF, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA, 0x99, 0x88, 0x77, 0x66, 0x55,
                                  0x44, 0x33, 0x22, 0x11, 0x00}},
                      FinishCase{"pairs_without_blanks", "1234", 9, {0x12, 0x34, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvan

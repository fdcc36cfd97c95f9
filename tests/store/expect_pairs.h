#pragma once
// Table checks: one function, many inputs with their expected results.
#include "qt_print.h"

#include <gtest/gtest.h>

#include <QString>
#include <initializer_list>
#include <utility>

// Checks fn(input) == expected for every pair; a failure names its input.
template <class Fn>
void expectPairs(Fn fn, std::initializer_list<std::pair<QString, QString>> pairs)
{
    for (const auto& [input, expected] : pairs)
        EXPECT_EQ(fn(input), expected) << "for input \"" << input.toStdString() << '"';
}

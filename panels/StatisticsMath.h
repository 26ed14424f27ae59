// Descriptive statistics of a set of values, and how each one is shown.
#pragma once

#include <QString>
#include <array>
#include <vector>

struct StatisticValue {
    double value = 0.0;
    bool computable = false;
};

// In the order the panel shows them.
enum StatisticIndex {
    Mean,
    Variance,
    StandardDeviation,
    AverageDeviation,
    Skewness,
    Kurtosis,
    StatisticCount
};

using Statistics = std::array<StatisticValue, StatisticCount>;

// Mean, sample variance (with the rounding-error correction), standard and
// average deviation, skewness and kurtosis of at least two values; skewness
// and kurtosis need a variance other than 0.
Statistics ComputeStatistics(const std::vector<double>& values);

// The value under the result digits preference, or the text for a value
// that cannot be shown as a number.
QString StatisticText(const StatisticValue& statistic);

#include "panels/StatisticsMath.h"

#include <QCoreApplication>
#include <cmath>

#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

Statistics ComputeStatistics(const std::vector<double>& values) {
    Statistics result;
    const double n = static_cast<double>(values.size());

    double sum = 0.0;
    for (double x : values) sum += x;
    const double mean = sum / n;

    // One pass over the deviations; S1 is zero up to rounding and corrects S2.
    double s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0, absolute = 0.0;
    for (double x : values) {
        const double e = x - mean;
        s1 += e;
        absolute += std::fabs(e);
        const double square = e * e;
        const double cube = square * e;
        s2 += square;
        s3 += cube;
        s4 += cube * e;
    }

    const double variance = (s2 - s1 * s1 / n) / (n - 1.0);
    const double deviation = std::sqrt(variance);
    result[Mean] = {mean, true};
    result[Variance] = {variance, true};
    result[StandardDeviation] = {deviation, true};
    result[AverageDeviation] = {absolute / n, true};
    if (variance != 0.0) {  // NaN included
        result[Skewness] = {s3 / (n * variance * deviation), true};
        result[Kurtosis] = {s4 / (n * variance * variance) - 3.0, true};
    }
    return result;
}

QString StatisticText(const StatisticValue& statistic) {
    if (!statistic.computable)
        return QCoreApplication::translate("CCalcStatistics", "Cannot be calculated");
    const double value = statistic.value;
    if (std::isnan(value)) return QCoreApplication::translate("CCalcStatistics", "Undefined");
    if (std::isinf(value))
        return value < 0 ? QCoreApplication::translate("CCalcStatistics",
                                                       "Overflow: too big negative number")
                         : QCoreApplication::translate("CCalcStatistics",
                                                       "Overflow: too big positive number");
    return QStringFromU16(NCalculatorText::FormatResult(value));
}

// The math library as the engine calls it: every function reports its
// errors to OnMathError before it returns, with the argument and the value
// it returns. The transcendental functions are rounded correctly
// (MathLibExact.h), so their results are the same on every platform.
#pragma once

namespace NCalculatorText {

double MathSqrt(double x);
double MathLog(double x);
double MathLog10(double x);
double MathExp(double x);
double MathPow(double a, double b);
double MathSin(double x);
double MathCos(double x);
double MathTan(double x);
double MathAsin(double x);
double MathAcos(double x);
double MathAtan(double x);
double MathSinh(double x);
double MathCosh(double x);
double MathTanh(double x);

}  // namespace NCalculatorText

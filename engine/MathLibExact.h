// Elementary functions rounded correctly: each returns the double nearest the
// exact value of the function at its argument (ties to even), for every
// finite argument, with the same bits on every platform and compiler. They
// report nothing: MathLib.h adds the error reports.
//
// Method (Ziv's): the value is first computed quickly from tables with
// double arithmetic and a few exact products (an error below 2^-62.5 to
// 2^-66 of the value, by function), without library calls, and rounded when
// the error bound cannot change the rounding (a test of four additions);
// arguments the fast kernels leave out go to a second table-driven
// evaluation of the same kind. When the error bound does not decide the
// rounding, the value is computed again in double-word arithmetic (pairs of
// doubles, about 106 bits), and then with pairs of 113-bit floats (about 226
// bits), far more than the hardest arguments of these functions need. pow
// also recognises results that are exactly halfway between two doubles.
#pragma once

namespace NCalculatorText::exactmath {

double Exp(double x);
double Log(double x);
double Log10(double x);
double Pow(double a, double b);
double Sin(double x);
double Cos(double x);
double Tan(double x);
double Asin(double x);
double Acos(double x);
double Atan(double x);
double Sinh(double x);
double Cosh(double x);
double Tanh(double x);

// Which evaluation decided the rounding of f at the argument(s): 1 the
// table-driven one in doubles, 2 the double-word one, 3 the 226-bit one, 4
// none (the 226-bit value was rounded as it stood), 0 a special case decided
// without any. For tests.
enum class Function { Exp, Log, Log10, Pow, Sin, Cos, Tan, Asin, Acos, Atan, Sinh, Cosh, Tanh };
int DecidingPhase(Function f, double a, double b = 0);

// The fast evaluation of f at the argument(s), for tests: its value
// (hi + lo) 2^e and the bound eps of its error relative to |hi| 2^e; false
// where it does not apply (tan, asin and acos have none). sinh and tanh are
// evaluated at |a|.
bool FastEvaluation(Function f, double a, double b, double& hi, double& lo, int& e, double& eps);

}  // namespace NCalculatorText::exactmath

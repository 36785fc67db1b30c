#pragma once

// out[i] = float(std::sin(x[i])) for every i, bit for bit, at a fraction of the cost: a polynomial
// gives each value, and std::sin is asked only where that value lies too near a point halfway
// between two floats to be sure of the rounding, or where x is huge or not a number.
void floatSines(const double* x, float* out, int count);

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "audio/float_sine.h"
#include "base/random.h"

namespace {

bool sameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Arguments of every size and sign, the single-precision phases the tables and the wobble take,
// the doubles nearest the multiples of pi/2 (where the reduction loses most), and the ones no
// polynomial handles: the result is std::sin's, rounded to single precision, in every case.
TEST(FloatSines, GiveStdSinRoundedToSinglePrecisionBitForBit) {
    RandomStream random(11);
    std::vector<double> x;
    for (double scale : {1e-300, 1e-8, 1.0, 7.0, 1e3, 1e5, 1.048575e6, 1.048577e6, 1e15}) {
        for (int i = 0; i < 40000; ++i) {
            const double unit = random.draw() / 2147483648.0 * 2 - 1;
            x.push_back(unit * scale);
            x.push_back(static_cast<float>(unit * scale));
        }
    }
    for (int k = -4000; k <= 4000; ++k) {
        const double turn = k * 1.5707963267948966;
        for (double d : {std::nextafter(turn, -1e300), turn, std::nextafter(turn, 1e300)}) x.push_back(d);
    }
    for (double special :
         {0.0, -0.0, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(), 1e308}) {
        x.push_back(special);
    }
    std::vector<float> out(x.size());
    floatSines(x.data(), out.data(), static_cast<int>(x.size()));
    int differing = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        if (!sameFloat(out[i], static_cast<float>(std::sin(x[i])))) {
            if (++differing <= 3) ADD_FAILURE() << "sin(" << x[i] << ")";
        }
    }
    EXPECT_EQ(differing, 0) << "of " << x.size();
}

}  // namespace

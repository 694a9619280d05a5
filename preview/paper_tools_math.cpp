// The paper tools' life and their integer trigonometry: sine and cosine by a table of whole
// degrees, an integer square root, and the arctangent in whole degrees by a continued fraction,
// so that every picture comes out the same on every machine.
#include "preview/paper_tools.h"

#include "core/memory/chunk_pool.h"

namespace {

// sin(k degrees) x 10000, rounded, for k = 0 to 90.
constexpr int16_t kSine[91] = {
    0,    175,  349,  523,  698,  872,  1045, 1219, 1392, 1564, 1736, 1908, 2079, 2250, 2419, 2588,
    2756, 2924, 3090, 3256, 3420, 3584, 3746, 3907, 4067, 4226, 4384, 4540, 4695, 4848, 5000, 5150,
    5299, 5446, 5592, 5736, 5878, 6018, 6157, 6293, 6428, 6561, 6691, 6820, 6947, 7071, 7193, 7314,
    7431, 7547, 7660, 7771, 7880, 7986, 8090, 8192, 8290, 8387, 8480, 8572, 8660, 8746, 8829, 8910,
    8988, 9063, 9135, 9205, 9272, 9336, 9397, 9455, 9511, 9563, 9613, 9659, 9703, 9744, 9781, 9816,
    9848, 9877, 9903, 9925, 9945, 9962, 9976, 9986, 9994, 9998, 10000};

}  // namespace

CmDrawPaperTools::CmDrawPaperTools() : tools_(nullptr) { tools_ = CreateDrawTools(); }

CmDrawPaperTools::~CmDrawPaperTools() { delete tools_; }

CmDrawTools* CmDrawPaperTools::CreateDrawTools() {
    try {
        return new CmDrawTools;
    } catch (const PoolOutOfMemory&) {
        return nullptr;
    }
}

int CmDrawPaperTools::Sin(int r, int angle) const {
    int sign = angle < 0 ? -1 : 1;
    const long long a = angle < 0 ? -static_cast<long long>(angle) : angle;
    if ((a / 1800) % 2 == 1) sign = -sign;
    const long long quarter = a / 900, within = a % 900;
    const int index = static_cast<int>((quarter % 2 == 0 ? within : 900 - within) / 10);
    return sign * static_cast<int>(static_cast<long long>(kSine[index]) * r / 10000);
}

int CmDrawPaperTools::Cos(int r, int angle) const { return Sin(r, angle + 900); }

unsigned CmDrawPaperTools::ISqrt(unsigned n) const {
    if (n == 0) return 0;
    unsigned x = 1, y = n;
    while (x < y) {
        x <<= 1;
        y >>= 1;
    }
    for (;;) {
        const unsigned next = (n / x + x) >> 1;
        if (next >= x) return x;
        x = next;
    }
}

int CmDrawPaperTools::AtanDegrees(int dx, int dy) const {
    if (dx == 0) return 90;
    if (dy == 0) return 0;
    long long t = static_cast<long long>(dy) * 1000 / dx;
    int mode = 0;
    if (t > 1000) {
        mode = 1;
        t = static_cast<long long>(dx) * 1000 / dy;
    } else if (t < -1000) {
        mode = -1;
        t = static_cast<long long>(dx) * 1000 / dy;
    }
    const long long s = t * t;
    long long acc = 0;
    for (long long n = 6; n >= 1; --n) acc = (n * n * s) / ((2 * n + 1) * 1000 + acc);
    long long a = t * 1000 / (1000 + acc);
    if (mode == 1) a = 1571 - a;
    if (mode == -1) a = -1571 - a;
    return static_cast<int>(a * 180 / 3142);
}

#include "engine/GaussianSmooth.h"

#include "engine/PortableMath.h"

#include <memory>
#include <new>

namespace vel {
namespace {

// n weights, 1 at the centre and exp(-0.5 (3j / r)²) at distance j, divided
// by their sum: a Gaussian cut at three standard deviations.
void BuildKernel(double* kernel, unsigned n)
{
    const unsigned r = n / 2;
    kernel[r] = 1.0;
    for (unsigned j = 1; j <= r; ++j) {
        const double z = 3.0 * double(j) / double(r);
        kernel[r - j] = kernel[r + j] = PortableExp(-0.5 * (z * z));
    }
    double sum = 0;
    for (unsigned i = 0; i < n; ++i)
        sum += kernel[i];
    for (unsigned i = 0; i < n; ++i)
        kernel[i] /= sum;
}

// Copies `len` pixels `stride` apart into line[r .. r + len - 1] and mirrors
// r pixels on each side about the edge pixels, without repeating them.
void LoadLine(uint8_t* line, const uint8_t* pixels, size_t stride, unsigned len, unsigned r)
{
    for (unsigned i = 0; i < len; ++i)
        line[r + i] = pixels[i * stride];
    for (unsigned m = 0; m < r; ++m) {
        line[r - 1 - m] = line[r + 1 + m];
        line[r + len + m] = line[r + len - 2 - m];
    }
}

void ConvolveLine(const uint8_t* line, const double* kernel, unsigned n, uint8_t* out, size_t stride,
                  unsigned len)
{
    for (unsigned x = 0; x < len; ++x) {
        double sum = 0;
        for (unsigned i = 0; i < n; ++i)
            sum += kernel[i] * line[x + i];
        out[x * stride] = uint8_t(sum + 0.5);
    }
}

} // namespace

bool GaussianSmooth(uint8_t* source, uint8_t* output, unsigned w, unsigned h, unsigned n)
{
    if (!source || w == 0 || h == 0 || n == 0 || n % 2 == 0)
        return false;
    const unsigned r = n / 2;
    if (r >= w || r >= h)
        return false;

    std::unique_ptr<double[]> kernel(new (std::nothrow) double[n]);
    std::unique_ptr<uint8_t[]> line(new (std::nothrow) uint8_t[(w > h ? w : h) + 2 * size_t(r)]);
    if (!kernel || !line)
        return false;
    BuildKernel(kernel.get(), n);

    uint8_t* plane = output ? output : source;
    for (unsigned y = 0; y < h; ++y) {
        LoadLine(line.get(), source + size_t(y) * w, 1, w, r);
        ConvolveLine(line.get(), kernel.get(), n, plane + size_t(y) * w, 1, w);
    }
    for (unsigned x = 0; x < w; ++x) {
        LoadLine(line.get(), plane + x, w, h, r);
        ConvolveLine(line.get(), kernel.get(), n, plane + x, w, h);
    }
    return true;
}

} // namespace vel

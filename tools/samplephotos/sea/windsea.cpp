#include "tools/samplephotos/sea/windsea.h"

#include "tools/samplephotos/paint/noise.h"
#include "tools/samplephotos/paint/random.h"
#include "tools/samplephotos/paint/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nimbara {

namespace {

struct Vec3 {
    double x, y, z;
};

double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 normalised(const Vec3& v) {
    const double length = std::sqrt(dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

int channel(double value) {
    return std::clamp(static_cast<int>(value + 0.5), 0, 255);
}

// Colour kept in floating point through the shading, rounded once when it is drawn.
struct Colour {
    double red, green, blue;

    static Colour of(QRgb rgb) { return {1.0 * qRed(rgb), 1.0 * qGreen(rgb), 1.0 * qBlue(rgb)}; }
    Colour mixedWith(const Colour& other, double amount) const {
        return {red + (other.red - red) * amount, green + (other.green - green) * amount,
                blue + (other.blue - blue) * amount};
    }
    Colour scaled(double factor) const { return {red * factor, green * factor, blue * factor}; }
};

class SeaPainter {
public:
    SeaPainter(QImage& image, const Perspective& view, const WaveField& waves,
               const WindSeaLook& look, const FoamCover& foam, std::uint64_t seed,
               const SeaOccluder& occluder)
        : m_image(image),
          m_background(mirrorImage(image, waves.significantHeight())),
          m_view(view),
          m_waves(waves),
          m_look(look),
          m_cover(foam),
          m_occluder(occluder),
          m_wisps(seed * 3 + 4),
          m_focal(view.pixelsPerMetre(1.0)),
          m_halfHeight(std::max(waves.significantHeight() / 2.0, 1e-3)),
          m_rippleSize(std::clamp(0.04 * waves.peakLength(), 0.25, 2.5)),
          m_calmReach(6.0 *
                      std::max(0.9 * waves.significantHeight() - 0.6 * view.eyeHeight(), 0.0)),
          m_leastFacing(0.12 * smoothStep(0.3, 2.0, waves.significantHeight())),
          m_rippleSlope(smoothStep(0.3, 1.0, waves.significantHeight()) *
                        std::min(0.05 + 0.012 * waves.significantHeight(), 0.2)),
          m_foam(waves, foam, seed, m_calmReach),
          m_spray(static_cast<std::size_t>(image.width()) * image.height(), 0.0f),
          m_deep(Colour::of(look.deep.rgb())),
          m_body(Colour::of(look.body.rgb())),
          m_foamColour(Colour::of(look.foam.rgb())),
          m_haze(Colour::of(look.haze.rgb())) {
        const auto skyRow = [&](double height) {
            const int row =
                std::clamp(static_cast<int>(view.horizonY() * height), 0, image.height() - 1);
            return Colour::of(averageOfRow(m_background, row));
        };
        // Rough water mirrors the sky low down and a little higher up at once.
        const Colour lowSky = skyRow(0.97).mixedWith(skyRow(0.6), 0.5);
        m_seaInSea = m_deep.mixedWith(lowSky, 0.45);
        m_roughSky = m_deep.mixedWith(lowSky, 0.6);
        Random random(seed * 7 + 5);
        for (int i = 0; i < 3; ++i) {
            const double angle =
                std::atan2(waves.headingX(), waves.headingY()) + random.uniform(-1.0, 1.0);
            const double k = 2.0 * std::numbers::pi / (m_rippleSize * (1.0 - 0.2 * i));
            m_rippleTrains.push_back({k * std::sin(angle), k * std::cos(angle), std::sin(angle),
                                      std::cos(angle), random.uniform(0.0, 6.3)});
        }
    }

    void paint() {
        for (int x = 0; x < m_image.width(); ++x) {
            paintColumn(x);
        }
        blowSpray();
    }

private:
    // What the water mirrors: sharp on calm water, blurred more the rougher the sea, as the
    // many small facets of a rough sea each mirror a different part of the sky.
    static QImage mirrorImage(const QImage& image, double waveHeight) {
        const int shrink = waveHeight < 0.15 ? 1 : waveHeight < 0.5 ? 2 : waveHeight < 2.0 ? 4 : 8;
        if (shrink == 1) {
            return image.copy();
        }
        return image
            .scaled(image.width() / shrink, image.height() / shrink, Qt::IgnoreAspectRatio,
                    Qt::SmoothTransformation)
            .scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    static QRgb averageOfRow(const QImage& image, int y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        double red = 0.0, green = 0.0, blue = 0.0;
        for (int x = 0; x < image.width(); ++x) {
            red += qRed(pixels[x]);
            green += qGreen(pixels[x]);
            blue += qBlue(pixels[x]);
        }
        const double count = image.width();
        return qRgb(static_cast<int>(red / count), static_cast<int>(green / count),
                    static_cast<int>(blue / count));
    }

    // The sky (or whatever stands above the horizon) seen along a ray mirrored by the water.
    // A ray mirrored just below the horizontal meets the next wave, which itself mirrors the sky
    // low down: the two blend smoothly, or a tiny tilt would flip a pixel from bright to dark.
    Colour reflected(const Vec3& ray) const {
        const double elevation = ray.z / std::max(std::hypot(ray.x, ray.y), 1e-6);
        const double intoSea = smoothStep(0.02, -0.15, elevation);
        if (intoSea >= 1.0) {
            return m_seaInSea;
        }
        const double horizon = m_view.horizonY();
        double sx = m_view.centreX();
        double sy = 0.0;
        if (ray.y > 1e-6) {
            sx += m_focal * ray.x / ray.y;
            sy = horizon - m_focal * std::max(ray.z, 0.0) / ray.y;
        }
        const int column = std::clamp(static_cast<int>(sx), 0, m_background.width() - 1);
        const double lowest = std::min(horizon - 1.0, m_background.height() - 1.0);
        sy = std::clamp(sy, 0.0, std::max(lowest, 0.0));
        const int upper = static_cast<int>(sy);
        const int lower = std::min(upper + 1, static_cast<int>(lowest));
        const auto* upperRow = reinterpret_cast<const QRgb*>(m_background.constScanLine(upper));
        const auto* lowerRow =
            reinterpret_cast<const QRgb*>(m_background.constScanLine(std::max(lower, 0)));
        return Colour::of(upperRow[column])
            .mixedWith(Colour::of(lowerRow[column]), sy - upper)
            .mixedWith(m_seaInSea, intoSea);
    }

    // The observer's ship rides the waves beside it: however high the sea, the water next to the
    // camera stays below it, and a crest towers over the picture only some way off.
    // Returns the share of the height kept.
    double calmNearby(double distance, WaveSample& sample) const {
        if (m_calmReach <= 0.0 || distance >= m_calmReach) {
            return 1.0;
        }
        const double keep = std::max(smoothStep(0.0, m_calmReach, distance), 0.05);
        sample.height *= keep;
        sample.slopeX *= keep;
        sample.slopeY *= keep;
        return keep;
    }

    // Chop and ripples too small and too many for the wave trains: they only tilt the surface
    // a little this way and that, which breaks up the mirror. Too fine to draw, they roughen it.
    void roughen(double x, double y, double foot, WaveSample& sample) const {
        if (m_rippleSlope <= 0.0) {
            return;
        }
        const double detail = smoothStep(1.0, 3.0, m_rippleSize / foot);
        sample.lostSlope = std::hypot(sample.lostSlope, m_rippleSlope * (1.0 - detail));
        if (detail <= 0.0) {
            return;
        }
        for (const Ripple& ripple : m_rippleTrains) {
            const double tilt =
                m_rippleSlope * detail * std::sin(ripple.kx * x + ripple.ky * y + ripple.phase);
            sample.slopeX += tilt * ripple.dirX;
            sample.slopeY += tilt * ripple.dirY;
        }
    }

    // `elevation` is the height of the open sea here in half wave heights: where the waves are
    // lowered beside the camera, the crests still break as they would further out.
    Colour shade(double x, double y, const WaveSample& sample, double elevation, double footAcross,
                 double footAlong, double& spray) const {
        const double eye = m_view.eyeHeight();
        const Vec3 normal = normalised({-sample.slopeX, -sample.slopeY, 1.0});
        const Vec3 ray = normalised({x, y, sample.height - eye});
        const double toward = dot(ray, normal);
        // On a rough sea the wave tops hide the grazing slopes that would mirror most.
        const double facing = std::max(-toward, m_leastFacing);
        const Vec3 mirrored{ray.x - 2.0 * toward * normal.x, ray.y - 2.0 * toward * normal.y,
                            ray.z - 2.0 * toward * normal.z};

        // Waves too small to draw still break up the mirror and darken the far sea.
        const double rough = smoothStep(0.0, 0.35, sample.lostSlope);
        const double grazing = 1.0 - facing;
        const double grazing2 = grazing * grazing;
        double fresnel = 0.02 + 0.98 * grazing2 * grazing2 * grazing;
        fresnel = std::lerp(fresnel, 0.12 + 0.5 * fresnel, rough);
        const Colour sky = reflected(mirrored).mixedWith(m_roughSky, rough);

        const double glow = smoothStep(0.1, 1.3, elevation) * smoothStep(0.05, 0.3, facing) *
                            smoothStep(0.3, 2.0, m_waves.significantHeight());
        Colour colour = m_deep.mixedWith(m_body, 0.45 * glow).mixedWith(sky, fresnel);

        const SeaFoam::Foam foam = m_foam.at(x, y, elevation, footAcross, footAlong);
        if (foam.amount > 0.0) {
            // Foam scatters light every way: it darkens only a little on faces turned away.
            const double light = std::clamp(0.8 + 0.25 * normal.z - 0.25 * normal.y, 0.72, 1.05);
            colour = colour.mixedWith(m_foamColour.scaled(light), foam.amount);
        }
        spray = foam.crest * smoothStep(0.2, 1.0, elevation);

        const double distance = std::sqrt(x * x + y * y);
        const double haze = 1.0 - std::exp(-distance / m_look.visibility);
        return colour.mixedWith(m_haze, haze);
    }

    void depositSpray(int x, double top, double source, double distance) {
        // Spray close by would veil the whole picture; the photographer waits for a clear view.
        const double reach = std::min(
            m_focal * m_cover.spindrift * 0.2 * m_waves.significantHeight() / distance, 10.0);
        if (reach < 0.5 || source <= 0.0) {
            return;
        }
        const int width = m_image.width();
        const int steps = static_cast<int>(std::ceil(reach));
        for (int k = 0; k <= steps; ++k) {
            const int row = static_cast<int>(top) - k;
            if (row < 0) {
                break;
            }
            if (row >= m_image.height()) {
                continue;
            }
            const double fall = 1.0 - k / reach;
            if (fall <= 0.0) {
                break;
            }
            float& cell = m_spray[static_cast<std::size_t>(row) * width + x];
            cell = std::max(cell, static_cast<float>(source * fall * fall));
        }
    }

    void paintColumn(int x) {
        const int height = m_image.height();
        m_red.assign(height, 0.0);
        m_green.assign(height, 0.0);
        m_blue.assign(height, 0.0);
        m_weight.assign(height, 0.0);

        const double eye = m_view.eyeHeight();
        const double horizon = m_view.horizonY();
        const double highest = 0.9 * m_waves.significantHeight();
        const double ratio = (x + 0.5 - m_view.centreX()) / m_focal;
        // Nearer than this, no crest reaches up into the picture.
        double distance =
            eye - highest > 0.3 ? m_focal * (eye - highest) / (height - horizon) : 1.0;
        distance = std::max(distance, 0.5);
        const double farthest = std::max(4.0 * m_focal * eye, 2.0 * m_focal * highest);
        const bool occluded = x < static_cast<int>(m_occluder.top.size()) &&
                              m_occluder.top[x] < height && m_occluder.distance > 0.0;
        bool passedOccluder = false;
        double covered = height;  // rows at and below this are drawn
        struct {
            double top, spray, distance;
        } crest{0.0, 0.0, 0.0};  // the last sample drawn, while it may be a crest's edge
        double previous = distance;
        int halvings = 0;
        Colour colour{};
        bool continued = false;  // the last sample was drawn, so its colour may serve the next
        while (distance < farthest && covered > 0.0) {
            if (occluded && !passedOccluder && distance >= m_occluder.distance) {
                passedOccluder = true;
                covered = std::min(covered, m_occluder.top[x]);
            }
            const double flatFoot = distance * distance / (m_focal * eye);
            const double footAcross = distance / m_focal;
            const double across = ratio * distance;
            WaveSample sample = m_waves.at(across, distance, footAcross, flatFoot);
            const double keep = calmNearby(distance, sample);
            const double top = horizon + m_focal * (eye - sample.height) / distance;
            // A face that rose by more than a row and a half since the last sample would be
            // drawn in one colour: go back and take it in smaller steps.
            if (top < covered - 1.5 && halvings < 4 && distance - previous > 1e-3) {
                distance = (previous + distance) / 2.0;
                ++halvings;
                continue;
            }
            halvings = 0;
            previous = distance;
            // Faces turned away from the camera are foreshortened more than level water.
            const double rise = sample.slopeY + ratio * sample.slopeX;
            const double rowsPerMetre =
                m_focal * std::abs((eye - sample.height) / distance + rise) / distance;
            const double footAlong = std::clamp(1.0 / rowsPerMetre, flatFoot, 30.0 * flatFoot);
            if (top < covered) {
                const double from = std::max(top, 0.0);
                // A sample that reaches no row centre only adds a sliver to a row, and the
                // colour of the sample just below it serves, unless that lay on another wave.
                const bool reachesCentre = std::ceil(from - 0.5) + 0.5 < covered;
                if (reachesCentre || !continued) {
                    // Where a face turned away is foreshortened, ripples finer than its rows
                    // would make the shading flicker from column to column: shade it without.
                    WaveSample seen = sample;
                    if (footAlong > 2.0 * flatFoot) {
                        seen = m_waves.at(across, distance, footAcross, footAlong);
                        calmNearby(distance, seen);
                    }
                    roughen(across, distance, std::max(footAcross, footAlong), seen);
                    double spray = 0.0;
                    const double elevation = seen.height / keep / m_halfHeight;
                    colour = shade(across, distance, seen, elevation, footAcross, footAlong, spray);
                    crest = {top, spray, distance};
                } else {
                    crest.top = top;
                }
                continued = true;
                for (int row = static_cast<int>(from); row < covered && row < height; ++row) {
                    const double share = std::min(row + 1.0, covered) - std::max<double>(row, from);
                    m_red[row] += share * colour.red;
                    m_green[row] += share * colour.green;
                    m_blue[row] += share * colour.blue;
                    m_weight[row] += share;
                }
                covered = top;
            } else {
                continued = false;
                if (crest.spray > 0.0) {
                    // The surface has gone down behind a crest: spray blows off its edge.
                    depositSpray(x, crest.top, crest.spray, crest.distance);
                    crest.spray = 0.0;
                }
            }
            // About a pixel row per step, wherever the surface rises or falls;
            // longer strides while the surface is hidden well below what is drawn.
            const double steepest =
                m_focal * std::abs(eye - sample.height) / (distance * distance) +
                m_focal * std::abs(rise) / distance;
            const double rows = std::max(1.2, 0.5 * (top - covered));
            distance += std::max(rows / steepest, 0.003 * distance);
        }
        for (int row = 0; row < height; ++row) {
            if (m_weight[row] <= 0.0) {
                continue;
            }
            QRgb& pixel = reinterpret_cast<QRgb*>(m_image.scanLine(row))[x];
            const double rest = std::max(1.0 - m_weight[row], 0.0);
            pixel = qRgb(channel(m_red[row] + rest * qRed(pixel)),
                         channel(m_green[row] + rest * qGreen(pixel)),
                         channel(m_blue[row] + rest * qBlue(pixel)));
        }
    }

    // Spray drifts downwind and frays into wisps before it whitens the picture.
    void blowSpray() {
        if (m_cover.spindrift <= 0.0) {
            return;
        }
        const int width = m_image.width();
        const int height = m_image.height();
        const int drift = m_waves.headingX() >= 0.0 ? 1 : -1;
        const int reach = 14;
        const QRgb white = mixRgb(m_look.foam.rgb(), m_look.haze.rgb(), 0.3);
        std::vector<float> line(width);
        for (int y = 0; y < height; ++y) {
            const float* cells = &m_spray[static_cast<std::size_t>(y) * width];
            auto* pixels = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            // A trail that thins downwind of each source.
            float carried = 0.0f;
            const int first = drift > 0 ? 0 : width - 1;
            for (int i = 0, x = first; i < width; ++i, x += drift) {
                carried = std::max(cells[x], carried * (1.0f - 1.0f / reach));
                line[x] = carried;
            }
            for (int x = 0; x < width; ++x) {
                if (line[x] <= 0.01f) {
                    continue;
                }
                const double wisp = m_wisps.fractal(x / 18.0, y / 2.5, 2);
                const double alpha = std::clamp(
                    line[x] * smoothStep(0.3, 0.7, wisp) * 1.2 * m_cover.spindrift, 0.0, 0.85);
                pixels[x] = mixRgb(pixels[x], white, alpha);
            }
        }
    }

    QImage& m_image;
    const QImage m_background;
    const Perspective& m_view;
    const WaveField& m_waves;
    const WindSeaLook& m_look;
    const FoamCover& m_cover;
    const SeaOccluder& m_occluder;
    const Noise m_wisps;
    struct Ripple {
        double kx, ky, dirX, dirY, phase;
    };
    std::vector<Ripple> m_rippleTrains;
    const double m_focal;
    const double m_halfHeight;
    const double m_rippleSize;  // metres
    const double m_calmReach;   // metres from the camera within which the waves are lower
    const double m_leastFacing;
    const double m_rippleSlope;  // typical tilt the ripples give the surface
    const SeaFoam m_foam;
    std::vector<float> m_spray;  // how thick the spray blown off the crests is, per pixel
    const Colour m_deep;
    const Colour m_body;
    const Colour m_foamColour;
    const Colour m_haze;
    Colour m_seaInSea{};
    Colour m_roughSky{};  // what a sea too rough to mirror anything shows at grazing angles
    std::vector<double> m_red, m_green, m_blue, m_weight;
};

}  // namespace

void paintWindSea(QImage& image, const Perspective& view, const WaveField& waves,
                  const WindSeaLook& look, const FoamCover& foam, std::uint64_t seed,
                  const SeaOccluder& occluder) {
    SeaPainter(image, view, waves, look, foam, seed, occluder).paint();
}

}  // namespace nimbara

#include "engine/Core.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/Random.h"
#include "engine/SPRAYSTYLE.h"
#include "engine/WORLD_SETTINGS.h"
#include "paint/CheckedInt.h"
#include "paint/DrawingPass.h"
#include "paint/Image.h"

namespace app {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kCellsPerPixel = 0.0625;

// Releases one reference when it goes, also when an error leaves the emission.
class ReleaseOnExit {
  public:
    ReleaseOnExit(Core* core, int32_t index) noexcept : core_(core), index_(index) {}
    ~ReleaseOnExit() {
        if (core_)
            core_->ReleaseStyle(index_);
    }
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;

  private:
    Core* core_;
    int32_t index_;
};

template <typename T>
void AllocateZeroed(Buffer<T>& buffer, int32_t count) {
    const int32_t bytes = CheckedMultiply(count, static_cast<int32_t>(sizeof(T)), ErrorOverflow);
    buffer.Allocate(bytes);
    if (bytes > 0)
        std::memset(buffer.Data(), 0, static_cast<size_t>(bytes));
}

// A step count that validation keeps at 1 or more; anything else never matches.
bool IsMultiple(int64_t age, int32_t step) noexcept {
    return step > 0 && age % step == 0;
}

// Turns v by angle a with wiggle w (radians); draws only when either is non-zero.
void Turn(double& vx, double& vy, double a, double w) noexcept {
    if (a == 0.0 && w == 0.0)
        return;
    const double u = RandomUnit();
    const double alpha = a + w * u - w * 0.5;
    const double c = std::cos(alpha);
    const double s = std::sin(alpha);
    const double x = vx * c + vy * s;
    const double y = -vx * s + vy * c;
    vx = x;
    vy = y;
}

uint32_t MixColours(uint32_t c0, uint32_t c1, uint32_t a) noexcept {
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t b0 = (c0 >> shift) & 0xFFu;
        const uint32_t b1 = (c1 >> shift) & 0xFFu;
        mixed |= (((32767u - a) * b0 + a * b1) / 32767u) << shift;
    }
    return mixed;
}

// The document pixel nearest to (x, y), as a colour word.
uint32_t PixelColour(const Image* image, double x, double y) noexcept {
    if (!image || image->BytesPerPixel() != 4 || image->Width() < 1 || image->Height() < 1)
        return 0;
    const double cx = std::min(std::max(std::trunc(x), 0.0), static_cast<double>(image->Width() - 1));
    const double cy = std::min(std::max(std::trunc(y), 0.0), static_cast<double>(image->Height() - 1));
    const unsigned char* p = image->ConstPixel(static_cast<int32_t>(cx), static_cast<int32_t>(cy));
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// A cell coordinate lies in the inner area (columns or rows 1 ... size-2) when its truncation
// does; written as comparisons so that non-finite and far values fail without converting.
bool IsInner(double coordinate, int32_t size) noexcept {
    return coordinate >= 1.0 && coordinate < static_cast<double>(size - 1);
}

uint16_t Fraction(double coordinate) noexcept {
    return static_cast<uint16_t>((coordinate - std::floor(coordinate)) * kFractionScale);
}

// Deviation of particle i of the current batch from the velocity, in degrees.
double Deviation(const SPRAYSTYLE& s, int32_t turns, int32_t i) {
    const double w = s.VelocityWidth;
    const double rot = s.VelocityRotationSpeed;
    // With no particles per batch the press particle's share of the rotation is taken as 0.
    const double share = s.Count != 0 ? i * rot / s.Count : 0.0;
    const double g = turns * rot + share + w / 2;
    switch (s.VelocityMode) {
        case VelocityRotateLeft:
            return std::fmod(g, w) - w / 2;
        case VelocityRotateRight:
            return -(std::fmod(g, w) - w / 2);
        case VelocityBackAndForth: {
            double t = std::fmod(g, 2 * w);
            if (t > w)
                t = 2 * w - t;
            return t - w / 2;
        }
        case VelocityRandom:
            return Random() * w / 32768 - w / 2;
        default:
            return 0.0;  // VelocityFixed: every particle leaves along the centre line
    }
}

// The turn's passes over the grid.  They allocate nothing and read the snapshots directly.
class Turner {
  public:
    Turner(CoreMember& m, const WORLD_SETTINGS& world)
        : m_(m), world_(world), items_(m.infoList.Items()), gridWidth_(m.gridWidth), gridHeight_(m.gridHeight) {}

    void ForcePass() {
        CELL* cells = m_.cells.Data();
        SUM* rows[2] = {m_.sums[0].Data(), m_.sums[1].Data()};
        // The border ring is always empty, so only the inner cells are visited; their
        // forward neighbours then always exist.
        for (int32_t i = 1; i < gridHeight_ - 1; ++i) {
            SUM* row = rows[i & 1];
            SUM* below = rows[(i + 1) & 1];
            CELL* cellRow = cells + i * gridWidth_;
            for (int32_t j = 1; j < gridWidth_ - 1; ++j) {
                CELL& cell = cellRow[j];
                const int32_t count = cell.count;
                for (int32_t k = 0; k < count; ++k) {
                    AccumulatePairs(cellRow, cellRow + gridWidth_, row, below, j, i, k);
                    UpdateVelocity(cell.particles[k], row[j * kCellCapacity + k], j, i);
                }
            }
        }
    }

    void MotionPass() {
        CELL* cells = m_.cells.Data();
        next_ = m_.nextCells.Data();
        nextRows_ = m_.nextRows.Data();
        for (int32_t i = 0; i < gridHeight_; ++i) {
            int32_t first = 0, last = 0;
            m_.OccupiedColumns(i, first, last);
            m_.rows.Data()[i] = CELLROW{};  // this grid is the next one after the exchange
            for (int32_t j = first; j <= last; ++j) {
                CELL& cell = cells[i * gridWidth_ + j];
                const int32_t n = cell.count;
                if (n == 0)
                    continue;
                cell.count = 0;
                for (int32_t k = 0; k < n; ++k)
                    MoveParticle(cell.particles[k], j, i);
            }
        }
    }

  private:
    void AccumulatePairs(CELL* cellRow, CELL* belowRow, SUM* row, SUM* below, int32_t j, int32_t i, int32_t k) {
        const CELL& cell = cellRow[j];
        const PARTICLE& a = cell.particles[k];
        const PARTICLE_INFO_KEY& ka = items_[a.info].key;
        SUM& sa = row[j * kCellCapacity + k];
        const double ax = j + a.fx / kFractionScale;
        const double ay = i + a.fy / kFractionScale;
        for (int32_t l = k + 1; l < cell.count; ++l) {
            Pair(a, ka, sa, ax, ay, cell.particles[l], row[j * kCellCapacity + l], j, i);
        }
        PairWithCell(a, ka, sa, ax, ay, cellRow[j + 1], row + (j + 1) * kCellCapacity, j + 1, i);
        PairWithCell(a, ka, sa, ax, ay, belowRow[j - 1], below + (j - 1) * kCellCapacity, j - 1, i + 1);
        PairWithCell(a, ka, sa, ax, ay, belowRow[j], below + j * kCellCapacity, j, i + 1);
        PairWithCell(a, ka, sa, ax, ay, belowRow[j + 1], below + (j + 1) * kCellCapacity, j + 1, i + 1);
    }

    void PairWithCell(const PARTICLE& a,
                      const PARTICLE_INFO_KEY& ka,
                      SUM& sa,
                      double ax,
                      double ay,
                      const CELL& cell,
                      SUM* sums,
                      int32_t column,
                      int32_t row) {
        const int32_t count = cell.count;
        for (int32_t l = 0; l < count; ++l)
            Pair(a, ka, sa, ax, ay, cell.particles[l], sums[l], column, row);
    }

    // Equal and opposite forces and the viscosity sums of one pair; the ranges are A's.
    void Pair(const PARTICLE& a,
              const PARTICLE_INFO_KEY& ka,
              SUM& sa,
              double ax,
              double ay,
              const PARTICLE& b,
              SUM& sb,
              int32_t column,
              int32_t row) {
        // Positions are multiples of 1/32768 well inside 53 bits, so these differences are exact.
        const double dx = (column + b.fx / kFractionScale) - ax;
        const double dy = (row + b.fy / kFractionScale) - ay;
        const double d2 = dx * dx + dy * dy;
        if (d2 > 1.0)
            return;
        double fx = 0.0;
        double fy = 0.0;
        if (d2 > 0.0) {
            const PARTICLE_INFO_KEY& kb = items_[b.info].key;
            const double dist = std::sqrt(d2);
            double force = 0.0;
            const double la = 1.0 - ka.gravityArea * dist;
            if (la > 0.0)
                force = ka.Gravity * kb.Gravity * la;
            const double lr = 1.0 - ka.RepulsionArea * d2;
            if (lr > 0.0)
                force = force - ka.Repulsion * kb.Repulsion * lr;
            fx = force * dx / dist;
            fy = force * dy / dist;
            const double lv = 1.0 - ka.ViscosityArea * dist;
            if (lv > 0.0) {
                const double wa = kb.Viscosity * lv;
                sa.velocitySumX += b.vx * wa;
                sa.velocitySumY += b.vy * wa;
                sa.weight += wa;
                const double wb = ka.Viscosity * lv;
                sb.velocitySumX += a.vx * wb;
                sb.velocitySumY += a.vy * wb;
                sb.weight += wb;
            }
        } else if (ka.Gravity > 0.0 || ka.Repulsion > 0.0) {
            // Coincident particles drift apart instead of staying stuck together.
            fx = Random() * 0.01 / 32767;
            fy = Random() * 0.01 / 32767;
        }
        sa.forceX += fx;
        sa.forceY += fy;
        sb.forceX -= fx;
        sb.forceY -= fy;
    }

    void UpdateVelocity(PARTICLE& p, SUM& sum, int32_t column, int32_t row) {
        const PARTICLE_INFO_KEY& s = items_[p.info].key;
        double vx = p.vx;
        double vy = p.vy;
        if (s.UseSpin && p.age != 0 && IsMultiple(p.age, s.SpinStep))
            Turn(vx, vy, s.SpinAngle, s.SpinAngleWiggle);
        if (sum.weight > 0.0) {
            const double meanX = sum.velocitySumX / sum.weight;
            const double meanY = sum.velocitySumY / sum.weight;
            const double q = s.Viscosity * std::min(sum.weight, 1.0);
            vx = (1.0 - q) * vx + q * meanX;
            vy = (1.0 - q) * vy + q * meanY;
        }
        vx += sum.forceX;
        vy += sum.forceY;
        const Vector2 g = world_.GravityType == GravityRadial
                              ? WorldGravity(world_, column + p.fx / kFractionScale, row + p.fy / kFractionScale,
                                             gridWidth_, gridHeight_)
                              : Vector2{world_.engineGravityX, world_.engineGravityY};
        vx += g.x;
        vy += g.y;
        if (s.Brake < 1.0) {
            vx = s.Brake * vx;
            vy = s.Brake * vy;
        }
        if (s.UseLimitedSpeed) {
            const double speed = std::sqrt(vx * vx + vy * vy);
            if (speed > s.LimitedSpeed) {
                vx = vx * s.LimitedSpeed / speed;
                vy = vy * s.LimitedSpeed / speed;
            }
        }
        p.vx = static_cast<float>(vx);
        p.vy = static_cast<float>(vy);
        sum = SUM{0.0, 0.0, 0.0, 0.0, 0.0};
    }

    void MoveParticle(const PARTICLE& p, int32_t column, int32_t row) {
        const PARTICLE_INFO_KEY& s = items_[p.info].key;
        if (p.age >= s.Life) {
            m_.infoList.Release(p.info);
            return;
        }
        const bool split = s.UseSplit && p.age != 0 && p.generations > 0 && RandomUnit() <= s.SplitRate;
        if (!split) {
            Move(p, column, row, 0.0, 0.0, p.generations);
        } else {
            const bool first = IsMultiple(p.age, s.SplitStep1);
            const bool fork = first && s.SplitMode == SplitFork;
            if (first)
                Move(p, column, row, s.SplitAngle1, s.SplitAngleWiggle, p.generations - 1);
            if (!fork)
                Move(p, column, row, 0.0, 0.0, p.generations);
            if (fork || (s.SplitMode == SplitTwoBranches &&
                         IsMultiple(static_cast<int64_t>(p.age) - s.SplitLag, s.SplitStep2))) {
                Move(p, column, row, s.SplitAngle2, s.SplitAngleWiggle, p.generations - 1);
            }
        }
        // Every placed copy took its own reference.
        m_.infoList.Release(p.info);
    }

    // One copy of p, turned by a with wiggle w, into nextCells.
    void Move(const PARTICLE& p, int32_t column, int32_t row, double a, double w, int32_t generations) {
        double vx = p.vx;
        double vy = p.vy;
        Turn(vx, vy, a, w);
        const double x = (column + p.fx / kFractionScale) + vx * world_.Lively;
        const double y = (row + p.fy / kFractionScale) + vy * world_.Lively;
        if (!IsInner(x, gridWidth_) || !IsInner(y, gridHeight_))
            return;
        CELL& cell = next_[static_cast<int32_t>(y) * gridWidth_ + static_cast<int32_t>(x)];
        if (cell.count >= kCellCapacity)
            return;
        PARTICLE& copy = cell.particles[cell.count];
        copy.fx = Fraction(x);
        copy.fy = Fraction(y);
        copy.vx = static_cast<float>(vx);
        copy.vy = static_cast<float>(vy);
        copy.info = p.info;
        copy.age = p.age + 1;
        copy.generations = generations;
        copy.colour = p.colour;
        m_.infoList.AddRef(p.info);
        ++cell.count;
        nextRows_[static_cast<int32_t>(y)].Placed(static_cast<int32_t>(x));
    }

    CoreMember& m_;
    const WORLD_SETTINGS& world_;
    const PARTICLE_INFO_ITEM* items_;
    const int32_t gridWidth_;
    const int32_t gridHeight_;
    CELL* next_ = nullptr;
    CELLROW* nextRows_ = nullptr;
};

}  // namespace

Core::Core() : m_(std::make_unique<CoreMember>()) {
    m_->drawPass = DrawParticles;
}

Core::~Core() {
    EraseAll();
}

void Core::SetSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0)
        throw Exception(ErrorImageSize);
    m_->width = width;
    m_->height = height;
}

void Core::Init() {
    // Particles in the old grid would keep their references for ever.
    EraseAll();
    CoreMember& m = *m_;
    BuildDrawingStorage(m);  // brush masks, then the accumulation ring

    m.gridWidth = CheckedAdd(CheckedAdd(m.width, 15, ErrorOverflow) / kCellPixels, 3, ErrorOverflow);
    m.gridHeight = CheckedAdd(CheckedAdd(m.height, 15, ErrorOverflow) / kCellPixels, 3, ErrorOverflow);
    m.offsetX = CheckedSubtract(CheckedMultiply(m.gridWidth, kCellPixels, ErrorOverflow), m.width, ErrorOverflow) / 2;
    m.offsetY = CheckedSubtract(CheckedMultiply(m.gridHeight, kCellPixels, ErrorOverflow), m.height, ErrorOverflow) / 2;
    const int32_t cellCount = CheckedMultiply(m.gridWidth, m.gridHeight, ErrorOverflow);
    AllocateZeroed(m.cells, cellCount);
    AllocateZeroed(m.nextCells, cellCount);
    AllocateZeroed(m.rows, m.gridHeight);
    AllocateZeroed(m.nextRows, m.gridHeight);
    const int32_t sumCount = CheckedMultiply(m.gridWidth, kCellCapacity, ErrorOverflow);
    AllocateZeroed(m.sums[0], sumCount);
    AllocateZeroed(m.sums[1], sumCount);
}

void Core::SetImage(Image* image) noexcept {
    m_->image = image;
}

void Core::SetDrawPass(DrawPass pass) noexcept {
    m_->drawPass = pass;
}

void Core::SetMode(int32_t mode) {
    EraseAll();
    m_->mode = mode;
}

int32_t Core::Mode() const noexcept {
    return m_->mode;
}

void Core::Step(Image& image) {
    m_->image = &image;
    Step();
}

void Core::Step() {
    CoreMember& m = *m_;
    if (m.cells.IsEmpty())
        return;

    // 1. Drawing pass: the painting code draws every particle where it stands.
    if (m.drawPass)
        m.drawPass(m);

    Turner turner(m, WorldSettings());
    // 2. Pair forces, each particle's velocity updated right after its pairs.
    turner.ForcePass();
    // 3. Ageing, death, splitting and moving into the next grid.
    turner.MotionPass();
    // 4. The next grid becomes the current one.
    m.cells.Swap(m.nextCells);
    m.rows.Swap(m.nextRows);
}

void Core::EraseAll() noexcept {
    CoreMember& m = *m_;
    if (m.cells.IsEmpty())
        return;
    CELL* cells = m.cells.Data();
    const int32_t cellCount = m.cells.Count();
    for (int32_t c = 0; c < cellCount; ++c) {
        CELL& cell = cells[c];
        for (int32_t k = 0; k < cell.count; ++k)
            m.infoList.Release(cell.particles[k].info);
        cell.count = 0;
    }
    if (!m.rows.IsEmpty())
        std::fill_n(m.rows.Data(), m.rows.Count(), CELLROW{});
}

bool Core::IsAlive() const noexcept {
    return !m_->infoList.IsEmpty();
}

int32_t Core::AcquireStyle(const SPRAYSTYLE& style) {
    // The motion pass divides ages by these steps: whatever the source, they are kept at 1 or more.
    SPRAYSTYLE safe = style;
    safe.SpinStep = std::max(safe.SpinStep, 1);
    safe.SplitStep1 = std::max(safe.SplitStep1, 1);
    safe.SplitStep2 = std::max(safe.SplitStep2, 1);
    return m_->infoList.Acquire(safe);
}

void Core::ReleaseStyle(int32_t index) noexcept {
    m_->infoList.Release(index);
}

void Core::Emit(const SPAWN_REQUEST& request) {
    CoreMember& m = *m_;
    if (m.cells.IsEmpty())
        return;
    // Up to one pixel of jitter toward positive x and y.
    const double x = request.position.x + RandomUnit();
    const double y = request.position.y + RandomUnit();
    const double cx = (x + m.offsetX) * kCellsPerPixel;
    const double cy = (y + m.offsetY) * kCellsPerPixel;
    if (!IsInner(cx, m.gridWidth) || !IsInner(cy, m.gridHeight))
        return;
    const int32_t column = static_cast<int32_t>(cx), row = static_cast<int32_t>(cy);
    if (m.CellAt(column, row).count >= kCellCapacity)
        return;
    PARTICLE& p = m.Place(column, row);
    p.info = request.info;
    p.fx = Fraction(cx);
    p.fy = Fraction(cy);
    p.vx = static_cast<float>(request.velocity.x);
    p.vy = static_cast<float>(request.velocity.y);
    p.age = 0;
    p.generations = request.generations;
    p.colour = m.mode == 2 ? PixelColour(request.sourceImage, x, y) : 0;
    m.infoList.AddRef(request.info);
}

void Core::EmitFirst(STROKESTATE& stroke, const Vector2& position) {
    EmitOne(stroke, 0, position, stroke.carry);
    stroke.lastPosition = position;
}

void Core::EmitBatch(STROKESTATE& stroke, const Vector2& position) {
    const int32_t n = stroke.style.Count;
    if (n > 0) {
        const Vector2 step = {(position.x - stroke.lastPosition.x) / n, (position.y - stroke.lastPosition.y) / n};
        const Vector2 motion = {position.x - stroke.lastPosition.x, position.y - stroke.lastPosition.y};
        const Vector2 motionStep = {(motion.x - stroke.carry.x) / n, (motion.y - stroke.carry.y) / n};
        Vector2 p = stroke.lastPosition;
        Vector2 m = stroke.carry;
        for (int32_t i = 0; i < n; ++i) {
            p.x += step.x;
            p.y += step.y;
            m.x += motionStep.x;
            m.y += motionStep.y;
            EmitOne(stroke, i, p, m);
        }
        stroke.lastPosition = p;
        stroke.carry = m;
    }
    ++stroke.turns;
}

void Core::EmitOne(const STROKESTATE& stroke, int32_t i, const Vector2& p, const Vector2& m) {
    const SPRAYSTYLE& s = stroke.style;
    double vx = s.Velocity.x;
    double vy = s.Velocity.y;
    if (s.Throwing > 0) {
        vx += s.Throwing * m.x;
        vy += s.Throwing * m.y;
    }
    if (s.VelocityWidth > 0) {
        const double theta = Deviation(s, stroke.turns, i) * kTwoPi / 360;
        const double c = std::cos(theta);
        const double sn = std::sin(theta);
        const double x = c * vx - sn * vy;
        const double y = sn * vx + c * vy;
        vx = x;
        vy = y;
    }
    if (s.VelocityWiggle > 0) {
        const double d = Random() * s.VelocityWiggle / 32767;
        vx = vx - vx * d;
        vy = vy - vy * d;
    }
    int32_t info = stroke.snapshot;
    Core* mixHolder = nullptr;
    if (s.Coloring == 3) {
        SPRAYSTYLE mixed = s;
        mixed.Color[0] = MixColours(s.Color[0], s.Color[1], static_cast<uint32_t>(Random()));
        info = AcquireStyle(mixed);
        mixHolder = this;
    }
    const ReleaseOnExit release(mixHolder, info);
    const double radius = static_cast<double>(Random()) * s.Size / 65534;
    const double phi = Random() * kTwoPi / 32767;
    SPAWN_REQUEST request;
    request.velocity = {vx, vy};
    request.position = {p.x + radius * std::cos(phi), p.y + radius * std::sin(phi)};
    request.sourceImage = m_->image;
    request.info = info;
    request.generations = s.SplitGenerations;
    Emit(request);
}

int32_t Core::ParticleCount() const noexcept {
    const CoreMember& m = *m_;
    const CELL* cells = m.cells.ConstData();
    int32_t total = 0;
    for (int32_t c = 0; c < m.cells.Count(); ++c)
        total += cells[c].count;
    return total;
}

CoreMember& Core::Members() noexcept {
    return *m_;
}

const CoreMember& Core::Members() const noexcept {
    return *m_;
}

}  // namespace app

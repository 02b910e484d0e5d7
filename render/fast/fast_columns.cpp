#include "render/fast/fast_columns.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "colour/palette.h"
#include "render/fast/carried_values.h"
#include "render/fast/factor_plan.h"
#include "render/fast/kernel_sets.h"
#include "render/fast/thread_pool.h"
#include "render/pixel_colour.h"

namespace seedscape {

namespace {

// Taller columns take the straightforward pass: the row tables grow with the
// rows. An export's tallest grid has 211 x 64 rows.
constexpr int kMostRows = 1 << 15;

// Columns are handed to the threads a few pixels at a time, so that a thread
// that meets slow columns does not hold up the others at the end: four
// columns of an image, one column of an export's taller grid.
constexpr int kPixelsPerChunk = 4 * 211;

// The kernel iterates without checking each statement for failure. That is
// sound while every plane coordinate and reference point is at most this far
// from the origin: z starts at 0 and the loop ends one step after |z| >= 2,
// so no value of the iteration exceeds about (7e100)^2 = 5e201, far below
// the largest double. Columns beyond it take the straightforward pass.
constexpr double kLargestCoordinate = 1e100;

// Storage that grows as needed and is never cleared: the kernels write every
// element before it is read, so zeroing it first would only touch its pages
// twice, once in a thread that does not use them.
template <typename T>
class Scratch {
  public:
    T* Reserve(std::size_t size) {
        if (size > capacity_) {
            data_.reset(new T[size]);
            capacity_ = size;
        }
        return data_.get();
    }

  private:
    std::unique_ptr<T[]> data_;
    std::size_t capacity_ = 0;
};

// Per-row tables and per-pixel results, reused from render to render. They
// grow with the columns rendered at once, not with an export.
struct Buffers {
    std::vector<double> y, row_number;
    RowTable row_table;
    Scratch<unsigned int> pixel;
    Scratch<LastAssigned> last_assigned;
    std::vector<ColourValue> column;

    KernelOutput Reserve(int columns, int rows) {
        return {pixel.Reserve(static_cast<std::size_t>(columns) * rows),
                last_assigned.Reserve(columns)};
    }
};

bool IsModest(double coordinate) {
    return std::fabs(coordinate) <= kLargestCoordinate;
}

// Copies the rows' plane points and counters, padded to whole registers of
// the widest kernel and one more, so that loads never run off the end; the
// padding repeats the last row, computed and never stored. False when the
// kernel cannot take the columns.
bool MapRows(const ImageState& state, const GridColumns& grid, int padded_rows, Buffers& buffers) {
    bool modest = true;
    for (int column = 0; column < grid.columns; ++column) {
        modest = modest && IsModest(grid.x[column]);
    }
    buffers.y.resize(padded_rows);
    buffers.row_number.resize(padded_rows);
    for (int row = 0; row < padded_rows; ++row) {
        const int from = std::min(row, grid.rows - 1);
        buffers.y[row] = grid.y[from];
        buffers.row_number[row] = grid.j[from];
        modest = modest && IsModest(buffers.y[row]);
    }
    for (const double point : {double(state.xt1), double(state.yt1), double(state.xt2),
                               double(state.yt2), double(state.xt3), double(state.yt3)}) {
        modest = modest && IsModest(point);
    }
    return modest;
}

// The kernel run that draws a grid, and the columns its chunks come in.
struct ChosenRun {
    KernelRun run;
    int chunk_columns;  // a chunk's columns are a multiple of this
};

// Without a formula computed at every step, a step is a handful of
// multiplications that wait on the step before: two registers in flight
// overlap them. With a sine in every step, one register of four lanes keeps
// the processor busy, and wider lockstep would only lose more to lanes whose
// pixel has escaped; eight-lane sines still leave room for a second register.
// Where the set has tiles, they take the pair's place: the pixels of a tile
// escape at more alike steps than a run down one column. Grids taller than
// an image are chunked a column at a time and have no room for whole tiles.
ChosenRun ChooseRun(const PixelKernelSet& kernels, LanePairing pairing, const FactorPlan& plan,
                    int rows) {
    if (kernels.run_paired == nullptr || pairing == LanePairing::kSingle) return {kernels.run, 1};
    const bool tiles_fit =
        kernels.run_tiled != nullptr && kPixelsPerChunk / rows >= kernels.tile_columns;
    if (pairing == LanePairing::kChosen && plan.FactorsComputedEveryStep() > 0 &&
        !kernels.pair_with_factors_every_step) {
        return {kernels.run, 1};
    }
    if (pairing != LanePairing::kPaired && tiles_fit) {
        return {kernels.run_tiled, kernels.tile_columns};
    }
    return {kernels.run_paired, 1};
}

// Runs the kernels over the columns on the render threads, a chunk at a
// time. Between its chunks the calling thread walks the columns of the
// chunks finished so far, in order, so that little of the walk is left for
// when the kernels are done: while it walks, the other threads take more
// chunks.
void RunKernels(const ChosenRun& chosen, const KernelInput& input, const KernelOutput& output,
                int threads, CarriedValuesWalk& walk) {
    const int per_chunk =
        std::max(chosen.chunk_columns,
                 kPixelsPerChunk / input.rows / chosen.chunk_columns * chosen.chunk_columns);
    const int chunks = (input.columns + per_chunk - 1) / per_chunk;
    const std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[chunks]);
    for (int chunk = 0; chunk < chunks; ++chunk)
        done[chunk].store(false, std::memory_order_relaxed);
    std::atomic<int> next_chunk{0};
    int walked = 0;  // chunks the walk has passed
    const std::thread::id walker = std::this_thread::get_id();
    const std::function<void()> work = [&] {
        const bool walks = std::this_thread::get_id() == walker;
        for (;;) {
            const int chunk = next_chunk.fetch_add(1);
            const int begin = per_chunk * chunk;
            if (begin >= input.columns) return;
            chosen.run(input, output, begin, std::min(begin + per_chunk, input.columns));
            done[chunk].store(true, std::memory_order_release);
            while (walks && walked < chunks && done[walked].load(std::memory_order_acquire)) {
                ++walked;
                walk.ResolveUpTo(std::min(walked * per_chunk, input.columns));
            }
        }
    };
    if (threads == 1) {
        work();
    } else {
        RenderThreads().RunOnAll(work);
    }
    walk.ResolveUpTo(input.columns);
}

}  // namespace

bool RenderColumnsFast(ImageState& state, const GridColumns& grid, DrawingSurface& surface,
                       const FastRenderOptions& options) {
    const PixelKernelSet* const kernels = options.kernels ? options.kernels : BestKernelSet();
    if (kernels == nullptr || grid.columns <= 0 || grid.rows <= 0 || grid.rows > kMostRows) {
        return false;
    }
    const int widest = WidestLanes();
    const int padded_rows = (grid.rows + widest - 1) / widest * widest + widest;
    thread_local Buffers buffers;
    if (!MapRows(state, grid, padded_rows, buffers)) return false;

    const FactorPlan plan(state, *kernels, buffers.y.data(), padded_rows, buffers.row_table);
    KernelInput input;
    input.columns = grid.columns;
    input.rows = grid.rows;
    input.x = grid.x;
    input.column_number = grid.i;
    input.y = buffers.y.data();
    input.row_number = buffers.row_number.data();
    input.xt1 = state.xt1;
    input.yt1 = state.yt1;
    input.xt2 = state.xt2;
    input.yt2 = state.yt2;
    input.xt3 = state.xt3;
    input.yt3 = state.yt3;
    input.dn1 = state.dn1;
    input.dn2 = state.dn2;
    input.dn3 = state.dn3;
    input.factor1 = plan.first();
    input.factor2 = plan.second();
    input.scheme = SelectScheme(state.barva);

    const KernelOutput output = buffers.Reserve(grid.columns, grid.rows);
    if (grid.palette) BuildPalette(state);
    const double palette[3] = {state.re, state.gr, state.bl};
    const KernelResults results{output,       grid.x,    grid.i,    grid.y,  grid.j,
                                grid.columns, grid.rows, grid.left, grid.top};
    CarriedValuesWalk walk(state, results, surface, buffers.column);
    RunKernels(ChooseRun(*kernels, options.pairing, plan, grid.rows), input, output,
               options.threads, walk);
    LeaveRecordAsStraightforward(state, results, palette, walk.Finish());
    return true;
}

}  // namespace seedscape

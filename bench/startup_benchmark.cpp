// How soon the main window is up: Form1 made and its first mother drawn,
// with no favourites and with thousands of them in its file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "app/grid/form1.h"
#include "recipe/favourites_text.h"

namespace seedscape {
namespace {

void WindowStartUp(benchmark::State& bench) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("favourites.txt"));
    std::vector<Recipe> favourites;
    for (int seed = 1; seed <= bench.range(0); ++seed) {
        Recipe recipe;
        recipe.seed = seed * 7;
        favourites.push_back(recipe);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(PrintFavourites(favourites)));
    file.close();
    for (auto _ : bench) {
        Form1 form(nullptr, path);
        form.Form_Load(1000.0f);
        QApplication::processEvents();
    }
}
BENCHMARK(WindowStartUp)->Arg(0)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

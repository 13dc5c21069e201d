// Draws every record of a card once, spread over all cores as `kr80a export`
// does, and writes nothing: the drawing alone, beside which export_bench.py
// puts the export. usage: build/bench/draw_card CARD
#include "data/CardTree.h"
#include "data/Messages.h"
#include "screens/Canvas.h"
#include "screens/RecordDisplay.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

class NoMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
};

std::vector<int> RecordIds(const CardTree& tree)
{
    std::vector<int> ids;
    for (int root : tree.KindRoots())
        for (int folder : tree.Children(root))
            for (int id : tree.Children(folder))
                ids.push_back(id);
    return ids;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_card CARD\n");
        return 2;
    }
    NoMessages messages;
    CardTree tree(messages);
    tree.ScanDataRoot(argv[1]);
    const std::vector<int> ids = RecordIds(tree);

    const auto start = std::chrono::steady_clock::now();
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
        workers.emplace_back([&] {
            RecordDisplay display;
            for (std::size_t n; (n = next++) < ids.size();) {
                display.Select(tree.FindItem(ids[n]));
                Canvas canvas;
                display.Paint(canvas);
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu records drawn in %.2f s = %.0f records/s on %zu threads\n", ids.size(), seconds,
                static_cast<double>(ids.size()) / seconds, workers.size());
    return 0;
}

#include "run/batch.h"

#include <algorithm>
#include <future>
#include <thread>

#include "run/generation_road.h"

namespace glenmire {

namespace {

// Answers the two questions as the request says; Retry only so many times.
class BatchUi : public SilentUi {
 public:
  explicit BatchUi(const BatchRequest& request) : request_(request) {}
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override { return request_.buildOnSand; }
  UnplacedAnswer AskUnplaced(const std::string&) override {
    if (request_.unplaced == UnplacedAnswer::kRetry && ++failed_ >= request_.maxAttempts) return UnplacedAnswer::kAbort;
    return request_.unplaced;
  }

 private:
  const BatchRequest& request_;
  int failed_ = 0;
};

BatchMap MakeOne(const BatchRequest& request, int index) {
  BatchMap map;
  map.index = index;
  map.seed = request.firstSeed + static_cast<uint32_t>(index);
  auto s = MakeGeneratorState();
  s->settings = request.record;
  s->menu = request.menu;
  BatchUi ui(request);
  s->random.Seed(map.seed);
  MemorySink sink;
  map.outcome = PrepareAndRunGeneration(*s, request.record.MapFileName.str(),
                                        RunOptions{.sink = &sink, .ui = &ui, .symmetry = request.symmetry});
  map.bytes = std::move(sink.bytes);
  return map;
}

}  // namespace

void RunBatch(const BatchRequest& request, const std::function<bool(BatchMap&)>& take) {
  const int threads =
      std::max(1, request.threads > 0 ? request.threads : static_cast<int>(std::thread::hardware_concurrency()));
  for (int first = 0; first < request.count; first += threads) {
    const int round = std::min(threads, request.count - first);
    std::vector<std::future<BatchMap>> others;
    for (int i = 1; i < round; ++i)
      others.push_back(std::async(std::launch::async, MakeOne, std::cref(request), first + i));
    BatchMap mine = MakeOne(request, first);
    bool going = take(mine);
    for (auto& other : others) {
      BatchMap map = other.get();
      if (going) going = take(map);
    }
    if (!going) return;
  }
}

}  // namespace glenmire

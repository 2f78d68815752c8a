// Parsing a large generated document into a tree: our XML parser against expat (building an
// equivalent tree from expat's callbacks), then the ratio of the two times.
#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/dxXMLDoc.h"
#include "platform/classes/streams.h"

namespace {

// About 12 MB: nested groups of elements with attributes, texts and a few entities.
const std::string& Document() {
  static const std::string doc = [] {
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg width=\"100\" height=\"100\">\n";
    for (int g = 0; g < 2000; ++g) {
      s += "  <g id=\"group" + std::to_string(g) + "\" transform=\"translate(1,2)\">\n";
      for (int i = 0; i < 20; ++i) {
        s += "    <rect x=\"" + std::to_string(i) + "\" y=\"" + std::to_string(g) +
             "\" width=\"10\" height=\"20\" style=\"fill:#ff0000;stroke:none\"/>\n";
        s += "    <text x=\"1\" y=\"2\">Label &amp; value " + std::to_string(i) + " &lt;ok&gt;</text>\n";
      }
      s += "  </g>\n";
    }
    s += "</svg>\n";
    return s;
  }();
  return doc;
}

struct Node {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;
  std::vector<std::unique_ptr<Node>> children;
  Node* parent = nullptr;
};

struct ExpatTree {
  Node root;
  Node* current = &root;

  static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* tree = static_cast<ExpatTree*>(data);
    auto node = std::make_unique<Node>();
    node->name = name;
    node->parent = tree->current;
    for (const XML_Char** a = attributes; *a; a += 2) node->attributes.emplace_back(a[0], a[1]);
    Node* raw = node.get();
    tree->current->children.push_back(std::move(node));
    tree->current = raw;
  }
  static void End(void* data, const XML_Char*) {
    auto* tree = static_cast<ExpatTree*>(data);
    tree->current = tree->current->parent;
  }
  static void Text(void* data, const XML_Char* s, int length) {
    static_cast<ExpatTree*>(data)->current->text.append(s, static_cast<size_t>(length));
  }
};

void BM_ParseOurs(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    qd::TdxXMLDocument xml;
    xml.LoadFromString(doc);
    benchmark::DoNotOptimize(xml.Root()->First());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

void BM_ParseExpat(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    ExpatTree tree;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &tree);
    XML_SetElementHandler(parser, &ExpatTree::Start, &ExpatTree::End);
    XML_SetCharacterDataHandler(parser, &ExpatTree::Text);
    if (XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), 1) != XML_STATUS_OK)
      state.SkipWithError("expat failed");
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(tree.root.children.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

void BM_SaveOurs(benchmark::State& state) {
  qd::TdxXMLDocument xml;
  xml.LoadFromString(Document());
  xml.SetAutoIndent(true);
  for (auto _ : state) {
    qd::TBytesStream out;
    xml.SaveToStream(out);
    benchmark::DoNotOptimize(out.Size());
  }
}

BENCHMARK(BM_ParseOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseExpat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOurs)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.times.find("BM_ParseOurs");
  const auto expat = reporter.times.find("BM_ParseExpat");
  if (ours != reporter.times.end() && expat != reporter.times.end() && expat->second > 0)
    std::printf("document %zu bytes; parse time ours / expat: %.2f\n", Document().size(),
                ours->second / expat->second);
  benchmark::Shutdown();
  return 0;
}

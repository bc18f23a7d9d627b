// tessaloom-cli convert INPUT... --to F --out-dir DIR [--jobs N] [--recursive]
// [--compact] [--json REPORT] [--quiet]: every sprite file of the inputs exported as
// `export` writes it (`--all` for the still formats), by several threads of this
// process. One bad file is reported and the others go on.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>
#include <unistd.h>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/convert_inputs.h"
#include "cli/convert_report.h"
#include "cli/export_formats.h"
#include "cli/progress_line.h"
#include "cli/worker_pool.h"
#include "core/common/file_io.h"
#include "core/operations/file_export.h"

namespace tessaloom::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertOptions {
  std::vector<std::string> inputs;
  ExportFormat format = ExportFormat::AnimatedGif;
  std::string outDir;
  unsigned jobs = std::max(std::thread::hardware_concurrency(), 1u);
  bool recursive = false;
  bool compact = false;
  bool quiet = false;
  std::string report;
};

// How long and for how many files at most a thread stages outputs before it hands
// them over to be flushed with one call and renamed into place (see CommitBatch).
// Longer batches cost less, but a run that is killed loses their work and leaves
// their temporaries.
constexpr std::size_t kFilesPerFlush = 64;
constexpr auto kFlushInterval = std::chrono::seconds(1);

// The files of one run, shared by its threads: each thread converts the next file
// not taken yet and fills in that file's entry alone. The outputs are flushed and
// renamed on a thread of their own, so that converting goes on while the disk
// catches up.
class Conversion {
 public:
  Conversion(const ConvertOptions& options, std::vector<ConvertInput> inputs, ProgressLine& progress)
      : m_format(options.format),
        m_exportOptions{.Coding = ChosenCoding(options.format, options.compact).value_or(Converter_Gif::GifCoding::Plain),
                        .BeforeEachFrame = {}},
        m_inputs(std::move(inputs)),
        m_files(m_inputs.size()),
        m_queue(m_inputs.size()),
        m_progress(progress) {}

  // Converts every file on `jobs` threads; returns once every output is in place.
  const std::vector<ConvertedFile>& ConvertAll(unsigned jobs) {
    RunOnThreads(jobs, [this] { ConvertOnThisThread(); });
    m_settling.Finish();
    return m_files;
  }

 private:
  // A converted file whose outputs wait in the batch: its sets are [first, end).
  struct Staged {
    std::size_t file, first, end;
  };
  // What a thread staged since its last hand-over.
  struct Staging {
    BatchedSets sets;
    std::vector<Staged> files;
  };

  void ConvertOnThisThread() {
    CommitBatch batch;
    std::vector<Staged> staged;
    auto opened = std::chrono::steady_clock::now();
    while (const std::optional<std::size_t> index = m_queue.Next()) {
      Convert(*index, batch, staged);
      m_progress.Advance();
      if (staged.size() >= kFilesPerFlush || std::chrono::steady_clock::now() - opened >= kFlushInterval) {
        m_settling.Hand({batch.Take(), std::exchange(staged, {})});
        opened = std::chrono::steady_clock::now();
      }
    }
    m_settling.Hand({batch.Take(), std::move(staged)});
  }

  void Convert(std::size_t index, CommitBatch& batch, std::vector<Staged>& staged) {
    const ConvertInput& input = m_inputs[index];
    ConvertedFile& file = m_files[index];
    file.Sprite = input.Sprite;
    if (input.Problem) return Fail(file, *input.Problem);
    std::error_code code;
    if (input.Output.has_parent_path()) fs::create_directories(input.Output.parent_path(), code);
    if (code) {
      return Fail(file, Error{.title = "Convert error",
                              .text = "Cannot create the folder \"" + input.Output.parent_path().string() + "\".",
                              .detail = code.message()});
    }
    const std::size_t first = batch.Size();
    auto exported = ExportSpriteFile(input.Sprite, m_format, input.Output, m_exportOptions);
    if (!exported) return Fail(file, exported.error());
    file.Outputs = std::move(exported->Outputs);
    file.Warning = std::move(exported->Warning);
    if (file.Warning) m_progress.Message(file.Sprite.string() + ": " + Reason(*file.Warning));
    staged.push_back({index, first, batch.Size()});
  }

  // Flushes and renames what a thread staged; a file whose rename failed has failed.
  void Settle(Staging& staging) {
    const std::vector<Status> statuses = staging.sets.Commit();
    for (const Staged& one : staging.files) {
      for (std::size_t set = one.first; set < one.end; ++set) {
        if (statuses[set]) continue;
        m_files[one.file].Outputs.clear();
        Fail(m_files[one.file], statuses[set].error());
        break;
      }
    }
  }

  void Fail(ConvertedFile& file, const Error& error) {
    file.Failure = error;
    m_progress.Message(file.Sprite.string() + ": " + Reason(error));
  }

  const ExportFormat m_format;
  const ExportOptions m_exportOptions;
  const std::vector<ConvertInput> m_inputs;
  std::vector<ConvertedFile> m_files;
  WorkQueue m_queue;
  ProgressLine& m_progress;
  HandOffThread<Staging> m_settling{[this](Staging& staging) { Settle(staging); }};  // last: it uses the rest
};

int Convert(Console& console, const ConvertOptions& options) {
  if (!ChosenCoding(options.format, options.compact)) {
    console.err << kCompactRefusal << '\n';
    return kExitUsage;
  }
  std::vector<ConvertInput> inputs =
      ListConvertInputs(options.inputs, options.recursive, options.outDir, ExportExtension(options.format));
  ProgressLine progress(console.err, inputs.size(), !options.quiet && ::isatty(STDERR_FILENO));
  Conversion conversion(options, std::move(inputs), progress);
  const std::vector<ConvertedFile>& files = conversion.ConvertAll(options.jobs);
  progress.Finish();
  const double seconds = progress.Seconds();
  const auto failed = static_cast<std::size_t>(
      std::ranges::count_if(files, [](const ConvertedFile& file) { return file.Failure.has_value(); }));
  if (!options.quiet) {
    console.err << files.size() - failed << " converted, " << failed << " failed in " << FormatSeconds(seconds)
                << " s\n";
  }
  if (!options.report.empty()) {
    if (Status written = WriteConvertReport(options.report, files, seconds); !written) {
      return Report(console, written.error());
    }
  }
  return failed == 0 ? kExitOk : kExitBadInput;
}

}  // namespace

void AddConvertCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* command =
      app.add_subcommand("convert", "Export many sprite files at once: every frame, or each as one animated GIF");
  command->add_option("INPUT", options->inputs, "Sprite files, and folders of them (their *.spr files)")->required();
  command->add_option("--to", options->format, "bmp, gif, gif87, png (every frame numbered), anim or anim87")
      ->required()
      ->transform(CLI::CheckedTransformer(kExportFormats, CLI::ignore_case));
  command->add_option("--out-dir", options->outDir, "Folder the outputs go to, mirroring the inputs' folders")
      ->required();
  command->add_option("--jobs", options->jobs, "Files converted at once (default: the number of cores)")
      ->check(CLI::PositiveNumber);
  command->add_flag("--recursive", options->recursive, "Take the *.spr files of subfolders too");
  command->add_flag("--compact", options->compact, "Smaller GIFs: longer codes, only what changed between frames");
  command->add_option("--json", options->report, "Write a report of every input and the totals to this file");
  command->add_flag("--quiet", options->quiet, "No progress and no summary; errors are still printed");
  WhenChosen(command, console, chosen, options, Convert);
}

}  // namespace tessaloom::cli

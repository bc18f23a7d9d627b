#include "core/operations/file_export.h"

#include <algorithm>
#include <utility>

#include "core/common/file_io.h"
#include "core/sprite/spr_frame_reader.h"

namespace tessaloom {
namespace {

using Tool_Spr::SprFrameReader;

constexpr std::size_t kMaxGifSide = 0xFFFF;

// What a first pass over the file learns. It reads every record as a whole load
// does, so a damaged file fails there with the load's error before any file is
// made, and an export never fails for a reason that hides a damaged file further on.
struct Survey {
  int ScreenWidth = 0;  // of an animation of every frame
  int ScreenHeight = 0;
  Converter_Gif::UsedIndices Used;       // the frames' indices, learnt for a compact animation only
  std::optional<Error> TooWide;          // the first frame an animation cannot hold
  std::vector<SprRgbaFrame> RgbaFrames;  // read only for PNG, the one format that holds them
  std::optional<Error> Warning;
};

// As SkipFrame, decoding the frame to add the indices it holds to `used`.
Result<Tool_Spr::FrameExtent> ReadFrameColours(SprFrameReader& reader, Converter_Gif::UsedIndices& used) {
  auto frame = reader.NextFrame();
  if (!frame) return frame.error();
  Converter_Gif::AddUsedIndices(frame->Pixels, used);
  return Tool_Spr::FrameExtent{.Width = frame->Width, .Height = frame->Height, .PixelsLength = frame->Pixels.size()};
}

Result<Survey> SurveyFile(SprFrameReader& reader, ExportFormat format, const ExportOptions& options) {
  const bool needsColours = IsAnimated(format) && options.Coding == Converter_Gif::GifCoding::Compact;
  Survey survey;
  survey.Used = needsColours ? Converter_Gif::UsedIndices{} : ~Converter_Gif::UsedIndices{};
  for (std::size_t number = 1; !reader.AtEnd(); ++number) {
    auto extent = needsColours ? ReadFrameColours(reader, survey.Used) : reader.SkipFrame();
    if (!extent) return extent.error();
    const std::size_t stride = Converter_Gif::AnimatedStride(extent->Width, extent->Height, extent->PixelsLength);
    if (stride > kMaxGifSide) {
      if (!survey.TooWide) survey.TooWide = Converter_Gif::FrameTooWideError(number, stride);
      continue;
    }
    survey.ScreenWidth = std::max(survey.ScreenWidth, static_cast<int>(stride));
    survey.ScreenHeight = std::max(survey.ScreenHeight, extent->Height);
  }
  if (format == ExportFormat::Png) {
    auto tail = reader.ReadTail();
    if (!tail) return tail.error();
    survey.RgbaFrames = std::move(tail->RgbaFrames);
  }
  survey.Warning = reader.DecodeWarning();
  reader.Rewind();
  return survey;
}

Error Cancelled() { return Error{.title = kExportErrorTitle, .text = Converter_Gif::kCancelledText}; }

bool GoesOn(const ExportOptions& options) { return !options.BeforeEachFrame || options.BeforeEachFrame(); }

// The second pass: one frame decoded, coded and let go at a time.
Status ProduceAnimation(SprFrameReader& reader, const Converter_Gif::AnimationSettings& settings,
                        const ExportOptions& options, const ByteSink& sink) {
  auto encoder = Converter_Gif::AnimationEncoder::Start(reader.Header(), settings, sink);
  if (!encoder) return encoder.error();
  while (!reader.AtEnd()) {
    if (!GoesOn(options)) return Cancelled();
    auto frame = reader.NextFrame();
    if (!frame) return frame.error();
    const std::size_t stride = Converter_Gif::AnimatedStride(frame->Width, frame->Height, frame->Pixels.size());
    const Converter_Gif::StoredImage image{
        .Pixels = frame->Pixels, .Stride = stride, .Width = static_cast<int>(stride), .Height = frame->Height};
    if (Status added = encoder->Add(image); !added) return added;
  }
  return encoder->Finish();
}

Status ExportAnimation(SprFrameReader& reader, const Survey& survey, ExportFormat format,
                       const std::filesystem::path& output, const ExportOptions& options) {
  if (survey.TooWide) return *survey.TooWide;
  const Converter_Gif::AnimationSettings settings{.Width = survey.ScreenWidth,
                                                  .Height = survey.ScreenHeight,
                                                  .Transparent = format == ExportFormat::AnimatedGif,
                                                  .Coding = options.Coding,
                                                  .Used = survey.Used};
  // Refused before a file is made, as when the animation is coded in memory.
  const ByteSink discard = [](std::span<const std::uint8_t>) -> Status { return {}; };
  if (auto refused = Converter_Gif::AnimationEncoder::Start(reader.Header(), settings, discard); !refused) {
    return refused.error();
  }
  StagedFiles files;
  Status staged = files.StageProduced(
      output, [&](const ByteSink& sink) { return ProduceAnimation(reader, settings, options, sink); },
      kExportErrorTitle);
  if (!staged) return staged;
  return files.Commit();
}

Status Stage(StagedFiles& files, const Result<std::vector<std::uint8_t>>& bytes, const std::filesystem::path& path) {
  if (!bytes) return bytes.error();
  return files.Stage(path, *bytes, kExportErrorTitle);
}

// The indexed frames, then the 32-bit colour frames for PNG, one numbered file each.
Status ExportStills(SprFrameReader& reader, const Survey& survey, ExportFormat format,
                    const std::filesystem::path& output, const ExportOptions& options) {
  StagedFiles files;
  const std::string extension = ExportExtension(format);
  int number = 0;
  while (!reader.AtEnd()) {
    if (!GoesOn(options)) return Cancelled();
    auto frame = reader.NextFrame();
    if (!frame) return frame.error();
    const auto path = NumberedFileName(output, ++number, extension);
    if (Status staged = Stage(files, EncodeStill(format, reader.Header(), *frame, options.Coding), path); !staged) {
      return staged;
    }
  }
  for (const SprRgbaFrame& frame : survey.RgbaFrames) {
    if (!GoesOn(options)) return Cancelled();
    ++number;
    const auto path = NumberedFileName(output, number, extension);
    if (Status staged = Stage(files, EncodeRgbaStill(format, frame, number), path); !staged) return staged;
  }
  return files.Commit();
}

}  // namespace

Result<FileExport> ExportSpriteFile(const std::filesystem::path& sprite, ExportFormat format,
                                    const std::filesystem::path& output, const ExportOptions& options) {
  auto reader = Tool_Spr::SprFrameReader::Open(sprite);
  if (!reader) return reader.error();
  auto survey = SurveyFile(*reader, format, options);
  if (!survey) return survey.error();
  const Status exported = IsAnimated(format) ? ExportAnimation(*reader, *survey, format, output, options)
                                             : ExportStills(*reader, *survey, format, output, options);
  if (!exported) return exported.error();

  FileExport result{.Outputs = {}, .Warning = survey->Warning};
  if (IsAnimated(format)) {
    result.Outputs.push_back(output);
    return result;
  }
  const std::size_t count = static_cast<std::size_t>(reader->FrameCount()) + survey->RgbaFrames.size();
  for (std::size_t i = 0; i < count; ++i) {
    result.Outputs.push_back(NumberedFileName(output, static_cast<int>(i) + 1, ExportExtension(format)));
  }
  return result;
}

}  // namespace tessaloom

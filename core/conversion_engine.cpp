#include "core/conversion_engine.h"

#include <optional>
#include <string>

#include "base/default_paths.h"
#include "base/errors.h"
#include "base/labels.h"
#include "base/text.h"
#include "core/analysis_thread.h"
#include "core/line_analysis.h"
#include "core/post_writer.h"
#include "core/run_locks.h"
#include "core/text_writer.h"
#include "formats/data_file_reader.h"
#include "system/folders.h"

namespace tolvanex {

namespace {

// The default post folder is made by the first run that writes post files into it, as the
// folder of the default lookup file and output folder is when the settings name it. A folder
// the user chose is never made: a missing one is a failure the post writer reports, as is a
// default one that cannot be made.
void MakeDefaultPostFolder(const ConversionRequest& request) {
  if (request.WritePostFiles && request.PostFolder == DefaultPostFolder()) {
    // Open to whoever reads the post files, as they are.
    MakeFolders(request.PostFolder, FolderAccess::AsUsual);
  }
}

void TellProgress(Conversion& conversion) {
  const RunState& run = conversion.Run;
  conversion.Observer.Progress(
      {run.DataBytesRead, run.DataFileSize, run.ReadingsWritten(), run.ReadingsPosted});
}

// The writers take the reading in hand; false ends the run after it.
bool WriteReading(Conversion& conversion) {
  const ConversionRequest& request = conversion.Request;
  bool ok = true;
  if (request.WritePostFiles) ok = WriteToPostFile(conversion);
  if (ok && request.WriteTextFiles) ok = WriteToTextFile(conversion);
  ClearReading(conversion);
  return ok;
}

// After every line: the progress, the status when it is wanted, and a stop when it is asked for;
// false ends the run.
bool GoOn(Conversion& conversion) {
  TellProgress(conversion);
  conversion.ShowStatus();
  if (conversion.Observer.StopRequested()) conversion.Run.StopRequested = true;
  return !conversion.Run.StopRequested;
}

// The lines analysed on this thread, one by one before the writers take them. True when the
// data file was read to its end.
bool ConvertLinesHere(Conversion& conversion, DataFileReader& data, bool& shrank) {
  LineAnalyser analyser(conversion.Request, conversion.ColumnLevels,
                        CurrentReadingPattern(conversion), conversion.Run.DataFileDates,
                        conversion);
  std::string_view line;
  bool ended = true;
  while (data.ReadLine(line)) {
    conversion.Run.DataBytesRead = data.BytesRead();
    LineAnalyser::Outcome outcome = analyser.Analyse(line, conversion.Reading);
    if ((TakeAnalysis(conversion, outcome) && !WriteReading(conversion)) || !GoOn(conversion)) {
      ended = false;
      break;
    }
  }
  shrank = data.Shrank();
  return ended;
}

// The lines analysed on a thread of their own ahead of the writers, on this one: each line's
// reports and status come here in its turn, as if it had been analysed here.
bool ConvertLinesAhead(Conversion& conversion, DataFileReader& data, bool& shrank) {
  AnalysisThread lines(data, conversion.Request, conversion.ColumnLevels,
                       CurrentReadingPattern(conversion), conversion.Run.DataFileDates);
  bool ended = true;
  while (const AnalysedLine* line = lines.Next()) {
    conversion.Run.DataBytesRead = line->BytesRead;
    for (const Report& report : line->Reports) conversion.Take(report);
    if (line->Outcome != LineAnalyser::Outcome::NotAReading) line->PutInto(conversion.Reading);
    if ((TakeAnalysis(conversion, line->Outcome) && !WriteReading(conversion)) ||
        !GoOn(conversion)) {
      ended = false;
      break;
    }
  }
  shrank = lines.Shrank();
  return ended;
}

// Reads the data file line by line into the writers; false when the wait for another run was
// cancelled and the run never began.
bool ConvertLines(Conversion& conversion, bool analyseAhead) {
  const ConversionRequest& request = conversion.Request;
  RunState& run = conversion.Run;
  const std::string& path = request.DataFile;
  std::optional<DataFileReader> data;
  try {
    MakeDefaultPostFolder(request);
    if (!TakeRunLocks(conversion)) return false;
    data.emplace(path);
    run.DataFileSize = data->Size();
    TellProgress(conversion);

    bool shrank = false;
    // Without a writer there is nothing for a second thread to take over.
    bool ended = analyseAhead && (request.WritePostFiles || request.WriteTextFiles)
                     ? ConvertLinesAhead(conversion, *data, shrank)
                     : ConvertLinesHere(conversion, *data, shrank);
    data->Close();
    // The last post file gets its name, and the text files are written back to the disk, before
    // the readings are counted; a file that cannot be completed leaves the run unfinished.
    bool postFileClosed = ClosePostFile(conversion);
    bool textFilesClosed = CloseTextFiles(conversion);
    run.ReachedEndOfData = postFileClosed && textFilesClosed && ended;

    if (request.WriteTextFiles) {
      conversion.SetStatus("Finished - posted " + DecimalText(run.ReadingsPosted) + " readings");
    }
    if (request.WritePostFiles) {
      conversion.SetStatus("Finished - posted " + DecimalText(run.ReadingsPosted) +
                           " readings to " + DecimalText(run.PostFileCount) + " post file(s)");
    }
    run.Locks.clear();
    // The readings taken stay; the lines that were cut away never reached the files.
    if (shrank) {
      ReportFailure(conversion, kDataFileChanged, std::string(labels::kDoExport) + path);
    }
  } catch (...) {
    ReportFailure(conversion, std::string(labels::kDoExport) + path);
    data.reset();
    // The post file keeps the whole lines it got and is completed all the same.
    ClosePostFile(conversion);
    CloseTextFiles(conversion);
    run.Locks.clear();
  }
  return true;
}

}  // namespace

ConversionResult ConversionEngine::Convert(const ConversionRequest& request,
                                           RunObserver& observer) {
  Conversion conversion(request, observer, session_);
  RunState& run = session_.Run;
  run.Reset();
  conversion.Result.Started = ConvertLines(conversion, analyseAhead_);
  run.Locks.clear();

  ConversionResult& result = conversion.Result;
  result.ReachedEndOfData = run.ReachedEndOfData;
  result.ReadingsPosted = run.ReadingsPosted;
  result.PostFileReadings = run.PostFileReadings;
  result.PostFileCount = run.PostFileCount;
  result.PostFiles = run.PostFilesStarted;
  result.TextFiles = run.TextFiles.Tallies();
  result.Status = conversion.Status();
  TellProgress(conversion);
  conversion.ShowStatus(true);
  return std::move(result);
}

}  // namespace tolvanex

#include "app/batch/batch_help.h"

namespace tolvanex {

std::string BatchHelpText() {
  return R"help(Usage: tolvanex-batch [OPTION]... [DATAFILE]...
Convert data logger files into post files and per-site text files without a
window, as the Process button of the Tolvanex window does.

Each DATAFILE is converted in turn, in the order given, with the same settings;
without one, the data file named by --data or by the settings is converted.
The settings are read from the window's settings file, tolvanex.ini: beside the
program when that folder holds it (a portable copy), otherwise in
$XDG_CONFIG_HOME/tolvanex/ (by default ~/.config/tolvanex/tolvanex.ini).
The options below override single settings for this command only; the settings
file is never written.

Input:
      --settings FILE      read the settings from FILE (it must exist)
      --data FILE          convert FILE (not together with DATAFILE operands)
      --lookup FILE        the lookup file of site numbers
      --archive DIR        move each data file that was read to its end without
                           a report into DIR; a name taken there gets a number
                           (Sd0101-1.dat), and no file there is ever replaced

Post files:
      --post, --no-post    write post files, or not
      --post-folder DIR    the folder of the post files
      --sort, --no-sort    sort the lookup file when a site number is added,
                           or not

Text files:
      --text, --no-text    write one text file per identifier pair, or not
      --output-folder DIR  the folder of the text files
      --extension EXT      the extension of the text files
      --date-format PATTERN
                           the date pattern of the text files, such as
                           "d mmm yyyy HH:MM"

Behaviour:
      --no-prompt          never ask for a site number: a pair that the lookup
                           file lacks ends the run with a report
      --no-wait            give up at once, with a report, when another run
                           is writing to one of the folders of this one
      --json               print one JSON object per data file on stdout,
                           instead of the final status lines
      --log FILE           append a line per data file to FILE (made when
                           missing), for jobs whose output nobody reads: the
                           time, the data file, how its run ended, the readings
                           posted, the post files written, its exit status and
                           its first report, separated by tabs
      --quiet              no progress line (it is shown only when stderr is
                           a terminal)
  -h, --help               display this help and exit
      --version            output version information and exit

Site numbers:
  A pair of identifiers that the lookup file lacks is asked for on stderr, as
  "ID1 / ID2 needs a site number [9999]: ", and the answer is read as one
  line from stdin. An empty line takes 9999; an answer that is no number is
  asked for again. The number is added to the lookup file, so each pair is
  asked for once. When stdin ends instead, the run stops there and stderr
  says for which pair.

Stopping:
  Ctrl-C (SIGINT), SIGTERM and SIGHUP end the run after the line in hand, with
  its final status; data files not yet started are left alone. A second signal
  ends the program at once.

Runs at once:
  A run locks the folders it writes to (the post folder, the output folder and
  the lookup file's folder). Another run over one of them, in the window or a
  second job, waits until it has finished, and says so on stderr.

Reports and status:
  A failure is reported on stderr as two lines: what went wrong, then
  "Tolvanex:" and where. Each run's final status, such as "Finished - posted
  13 readings to 2 post file(s)", is printed on stdout.

Exit status:
  0  every data file was read to its end without a report
  3  every data file was read to its end, with at least one report
  1  a run ended early (no site number, a failure that ends the run, a signal)
     or could not start (a data file that cannot be read)
  2  the command line was not understood

Examples:
  tolvanex-batch --no-prompt --archive done incoming/*.dat
         Convert the day's downloads, never asking, and move each data file
         that was converted whole into done/, so that the next run skips it.
  echo 4300 | tolvanex-batch --quiet --data SdStation3.dat
         Convert one data file, answering the one site number asked for.
)help";
}

}  // namespace tolvanex

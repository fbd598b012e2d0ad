#include "cli/command_help.h"

#include <algorithm>

namespace {

constexpr ExitStatus kUsage{2, "usage error"};

const ProgramHelp kHelp{
    .name = "rv7300s-cli",
    .title = "The command-line companion",
    .purpose = "the RV7300s multimeters' companion without a window",
    .package = "Quorvia",
    .pageDate = "2026-12-10",
    .relatedPage = "rv7300s",
    .paragraphs =
        {
            "`rv7300s-cli` is the program's core without its window: it lists the ports, identifies the meter, "
            "shows its readings, records them, downloads the meter's memory and reads the program's files. "
            "Data go to standard output, messages to standard error.",
            "`rv7300s-cli --help` (or `-h`, or `help`) lists the commands, `rv7300s-cli help COMMAND` (or "
            "`rv7300s-cli COMMAND --help`) tells one with its options and exit codes, and `rv7300s-cli --version` "
            "prints the version. Every command exits 2 on a usage error.",
            "For scripts, `--json` makes `ports`, `identify` and `info` print one JSON value, and `monitor` one "
            "JSON object a line; texts are UTF-8, and a value the meter does not show is `null`.",
        },
    .commands =
        {
            {
                .name = "ports",
                .arguments = "[--json]",
                .summary = "the candidate ports: number, friendly name, device",
                .paragraphs =
                    {
                        "Each candidate port on a line of its own: its number, friendly name (\"Prolific "
                        "USB-to-Serial Comm Port (COM1)\") and device (`/dev/ttyUSB0`), separated by tabs. "
                        "Without any, it says \"no serial ports found\" on standard error.",
                    },
                .options =
                    {
                        {"--json", "an array of objects with `port`, `name` and `device`"},
                    },
                .exits = {{0, "listed, also when there are none"}, kUsage},
            },
            {
                .name = "identify",
                .arguments = "[--port N] [--speed 9600|19200] [--json]",
                .summary = "the meter's model, port, speed, serial number and firmware",
                .paragraphs =
                    {
                        "Finds the meter and prints its model, model index, port, speed, serial number and "
                        "firmware as \"name: value\" lines.",
                        "When the meter's cable is there but cannot be opened, it says why and what to do (the "
                        "udev rule, the `dialout` group, or the program holding the port) instead of \"no meter "
                        "answered\"; of a port number with no device it says that the port does not exist.",
                    },
                .options =
                    {
                        {"--port N", "port N (1-256) only, instead of every candidate port"},
                        {"--speed 9600|19200", "the speed tried first (default 19200); the other follows"},
                        {"--json",
                         "an object with `model`, `modelIndex`, `port`, `speed`, `serial`, `firmware` and "
                         "`firmwareSupported`"},
                    },
                .exits =
                    {
                        {0, "identified"},
                        {1,
                         "no meter answered, the port does not exist or cannot be opened, or an RV7361 or "
                         "RV7362 has firmware older than 0.83"},
                        kUsage,
                    },
            },
            {
                .name = "settings",
                .arguments = "show [FILE]",
                .summary = "every setting as \"name: value\"",
                .paragraphs =
                    {
                        "Every setting of the settings file (see Files), or of FILE, as \"name: value\" lines, "
                        "after the file's version.",
                    },
                .exits =
                    {
                        {0, "shown"},
                        {1, "the file cannot be read, or is of a version this program does not read"},
                        kUsage,
                    },
            },
            {
                .name = "format",
                .arguments = "--model N --function F --range R --count C [--peak] [--fahrenheit] [--flags W] [--sub] "
                             "[--mark .|,]",
                .summary = "a stored count as the program shows it",
                .paragraphs =
                    {
                        "A count as records store it, shown as the program shows it. Numbers are indexes as "
                        "records store them (model 0-9, function row, range column; function -1 is the "
                        "frequency sub display); other texts are model names and meter tokens "
                        "(`--function ACV --range 600m`).",
                    },
                .options =
                    {
                        {"--model N", "the model: index or name (`RV7361`)"},
                        {"--function F", "the function: row or token"},
                        {"--range R", "the range: column or token"},
                        {"--count C", "the stored count"},
                        {"--peak", "a reading in peak hold"},
                        {"--fahrenheit", "a temperature in degrees Fahrenheit"},
                        {"--flags W",
                         "the record's flags, the sum of 1 REL, 2 main over, 4 sub over, 8 main blank, "
                         "16 sub blank, 32 OPEN"},
                        {"--sub", "a reading of the sub display"},
                        {"--mark .|,", "the decimal mark (default `.`)"},
                    },
                .exits = {{0, "shown"}, kUsage},
            },
            {
                .name = "monitor",
                .arguments = "[--port N] [--count K] [--interval-ms M] [--json]",
                .summary = "live readings, one line a cycle, until Ctrl+C",
                .paragraphs =
                    {
                        "Connects as the window does and prints, for each acquisition cycle, the time, main "
                        "value and unit, sub value and unit, function, range token and flags (PEAK, REL, "
                        "FILTER, SLOW, OVER, OPEN), separated by tabs; `-` stands for what the meter does "
                        "not show.",
                        "It ends the connection with \":SYST:GTL\" on Ctrl+C and exits 1 after a "
                        "communication error.",
                    },
                .options =
                    {
                        {"--port N", "port N (1-256) only, instead of every candidate port"},
                        {"--count K", "end after K lines"},
                        {"--interval-ms M", "at most one line every M ms (default 0, every cycle)"},
                        {"--json",
                         "each line an object with `time`, `mainValue`, `mainUnit`, `subValue`, `subUnit`, "
                         "`function`, `range` and `flags` (an array)"},
                    },
                .exits =
                    {
                        {0, "ended by Ctrl+C or after K lines"},
                        {1, "no meter answered, or a communication error"},
                        kUsage,
                    },
            },
            {
                .name = "memory",
                .arguments = "OUT.csv [--port N] [--language en|ja] [--decimal .|,] [--separator ,|;]",
                .summary = "the meter's memory into a CSV file",
                .paragraphs =
                    {
                        "Downloads the readings an RV7361 or RV7362 keeps in its memory into OUT.csv, telling "
                        "the progress and the time remaining on standard error.",
                    },
                .options =
                    {
                        {"--port N", "port N (1-256) only, instead of every candidate port"},
                        {"--language en|ja", "the words of the CSV (default: the user's locale)"},
                        {"--decimal .|,", "the decimal mark (default `.`)"},
                        {"--separator ,|;", "the list separator (default `,`); a comma is not both"},
                    },
                .exits =
                    {
                        {0, "complete, or nothing stored"},
                        {1, "not all read: no meter, a model without a memory, a read or write error"},
                        kUsage,
                    },
            },
            {
                .name = "info",
                .arguments = "FILE.vdmm [--json]",
                .summary = "a recording's meter, counts, times and statistics",
                .paragraphs =
                    {
                        "A recording's meter, record counts, start and stop, maxima and minima, interval and "
                        "header texts as \"name: value\" lines (line breaks, tabs and backslashes as `\\n`, "
                        "`\\t` and `\\\\`).",
                        "It also gives, for each display and measurement (function, PEAK, REL, temperature "
                        "unit), the number of readings, their mean and their (population) standard deviation, "
                        "leaving over, blank and OPEN out and counting readings of several ranges in the "
                        "coarsest range's units; and the duration from the first record to the last.",
                    },
                .options =
                    {
                        {"--json",
                         "an object of the same names, counts as numbers and the statistics as an array "
                         "`measurements` of objects with `display`, `measurement`, `readings`, `mean` and "
                         "`standardDeviation`"},
                    },
                .exits = {{0, "read"}, {1, "the file cannot be read, or is no recording"}, kUsage},
            },
            {
                .name = "export",
                .arguments = "FILE.vdmm OUT.csv [--language en|ja] [--decimal .|,] [--separator ,|;] "
                             "[--time real|relative]",
                .summary = "the window's CSV export of a recording",
                .paragraphs =
                    {
                        "The window's CSV export, from the recording file's own settings; the options override "
                        "them. What the CSV cannot hold is said on standard error.",
                    },
                .options =
                    {
                        {"--language en|ja", "the words of the CSV (default: the user's locale)"},
                        {"--decimal .|,", "the decimal mark"},
                        {"--separator ,|;", "the list separator; a comma is not both"},
                        {"--time real|relative", "times of day, or from the first record"},
                    },
                .exits =
                    {
                        {0, "written"},
                        {1, "the recording cannot be read, or the CSV cannot be written"},
                        kUsage,
                    },
            },
            {
                .name = "record",
                .arguments = "OUT.vdmm [--port N] [--interval SECONDS | --fast TENTHS] [--count N | --time HH:MM:SS] "
                             "[--csv OUT.csv] [--reconnect]",
                .summary = "the window's recording, headless",
                .paragraphs =
                    {
                        "Runs the window's recording engine without a window, at the interval and for the "
                        "records or the time the options give, or until Ctrl+C, SIGTERM or a closed terminal.",
                        "While it runs its records also go, once a second, into the journal "
                        "`OUT.vdmm.journal`; at the end it writes `OUT.vdmm` (and the CSV) through the safe "
                        "replace, prints \"records: N\", removes the journal and exits 0 (1 when no record was "
                        "taken). A status line on standard error shows the records, the last reading, the time "
                        "elapsed and what remains (redrawn in place on a terminal, a line every 5 s otherwise).",
                        "A communication error ends the run with the file of what was recorded and exit 1; "
                        "with `--reconnect` the run waits for the meter (the window's automatic connection) "
                        "and goes on to its end in the same file, a new run of the engine after each "
                        "reconnection, so the stored maximum and minimum are those of the last. A change of "
                        "function, PEAK or REL at the meter ends the run as it does the window's (exit 1), and "
                        "so does another meter answering a reconnection. `record` refuses an existing "
                        "`OUT.vdmm` and a journal an earlier run left there.",
                    },
                .options =
                    {
                        {"--port N", "port N (1-256) only, instead of every candidate port"},
                        {"--interval SECONDS", "a record every SECONDS seconds (default 1, up to 99:59:59)"},
                        {"--fast TENTHS", "a record every TENTHS tenths of a second (1-9)"},
                        {"--count N", "N records (1-1048576, the default)"},
                        {"--time HH:MM:SS",
                         "records for so long (each field 0-99, at least one interval; not with `--fast`)"},
                        {"--csv OUT.csv", "also the window's CSV export of the recording"},
                        {"--reconnect", "after a lost connection, wait for the meter and go on"},
                    },
                .exits =
                    {
                        {0, "ended and written"},
                        {1,
                         "no record taken, the connection lost, the run ended by the meter, or a file that "
                         "exists or cannot be written"},
                        kUsage,
                    },
            },
            {
                .name = "recover",
                .arguments = "JOURNAL [OUT.vdmm]",
                .summary = "a journal's records into a new recording file",
                .paragraphs =
                    {
                        "Writes the records of a journal (a crashed or killed `record`, or the window's, kept "
                        "with No) to `OUT.vdmm`, by default the journal's name without `.journal`, and prints "
                        "\"records: N\". Of a damaged journal it keeps every whole block before the damage and "
                        "says on standard error how many records were lost. It refuses an existing `OUT.vdmm` "
                        "and a journal that a running recording still writes; the journal stays until you "
                        "remove it.",
                    },
                .exits =
                    {
                        {0, "written"},
                        {1, "refused, the journal unreadable, or the file not written"},
                        kUsage,
                    },
            },
            {
                .name = "help",
                .arguments = "[COMMAND]",
                .summary = "the commands, or one command's options and exit codes",
                .paragraphs = {"Without COMMAND the list of commands; with it, the command's use, options and "
                               "exit codes."},
                .exits = {{0, "shown"}, {2, "no such command"}},
            },
        },
    .sections =
        {
            {
                .title = "Ports",
                .paragraphs =
                    {
                        "On Linux, port number n is the adapter `/dev/ttyUSB<n-1>`, or the virtual port "
                        "`COM<n>` of `rv7300s-sim` when one is registered. Only adapters of the meters' cable "
                        "(driver `pl2303`) are candidates.",
                    },
            },
            {
                .title = "Files",
                .terms =
                    {
                        {"RV7300s.ini",
                         "the settings, beside the program; for a program installed under `/usr` or `/opt`, "
                         "in `$XDG_CONFIG_HOME/VORNEK/QM8000` (default `~/.config/VORNEK/QM8000`)"},
                        {"OUT.vdmm.journal", "the records of a running `record`, for `recover`"},
                    },
            },
            {
                .title = "Environment",
                .terms =
                    {
                        {"XDG_CONFIG_HOME", "where the settings folder is (default `~/.config`)"},
                        {"RV7300S_PORT_DIR",
                         "the folder of the virtual meters' ports (default `$XDG_RUNTIME_DIR/rv7300s/ports`)"},
                        {"LC_ALL, LC_CTYPE, LANG",
                         "in a Japanese locale (`ja_JP.UTF-8`) the commands that read and write files speak "
                         "Japanese where no `--language` says otherwise, and CSV files are in the Japanese code "
                         "page (CP932) rather than CP1252"},
                    },
            },
            {
                .title = "Example",
                .paragraphs = {"A day's log on a headless machine, and its recovery after a power cut:"},
                .example =
                    {
                        "nohup rv7300s-cli record day.vdmm --interval 10 --time 24:00:00 --csv day.csv "
                        "--reconnect 2>day.log &",
                        "rv7300s-cli recover day.vdmm.journal && rv7300s-cli info day.vdmm",
                    },
            },
        },
};

}  // namespace

const ProgramHelp& CliHelp() { return kHelp; }

const CommandHelp* FindCommandHelp(std::string_view name) {
  const auto& commands = kHelp.commands;
  const auto found =
      std::find_if(commands.begin(), commands.end(), [&](const CommandHelp& c) { return c.name == name; });
  return found == commands.end() ? nullptr : &*found;
}

#include "commandline.h"

#include <functional>
#include <map>

#include "zelsim/faultplan.h"
#include "zelsim/settingtext.h"
#include "zelsim/softstart.h"

namespace zelsim {
namespace {

constexpr long kMaxDelayMs = 600'000;

using Setter = std::function<bool(const std::string&, CommandLine&, std::string*)>;

bool milliseconds(const std::string& v, int* out, std::string* error, const char* what) {
    long ms = 0;
    if (!parseInt(v, 0, kMaxDelayMs, &ms)) {
        *error = std::string(what) + " must be a number of milliseconds (0-600000)";
        return false;
    }
    *out = static_cast<int>(ms);
    return true;
}

const std::map<std::string, Setter>& valueOptions() {
    static const std::map<std::string, Setter> options = {
        {"--model",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.model = v;
             return true;
         }},
        // Scripts pass --lang to every KORVAN program; zel-sim speaks English whatever it says,
        // but a language it does not know is still a mistake worth reporting.
        {"--lang",
         [](const std::string& v, CommandLine&, std::string* e) {
             if (v == "en" || v == "zh") return true;
             *e = "--lang must be en or zh";
             return false;
         }},
        {"--db",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.dbPath = v;
             return true;
         }},
        {"--link",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.linkPath = v;
             return true;
         }},
        {"--freq",
         [](const std::string& v, CommandLine& c, std::string* e) {
             long hz = 0;
             if (!parseInt(v, 1'000'000, 100'000'000, &hz)) {
                 *e = "--freq must be a clock in Hz between 1000000 and 100000000";
                 return false;
             }
             c.chip.frequency = static_cast<uint32_t>(hz);
             return true;
         }},
        {"--boot-delay",
         [](const std::string& v, CommandLine& c, std::string* e) {
             return milliseconds(v, &c.chip.bootDelayMs, e, "--boot-delay");
         }},
        {"--erase-ms",
         [](const std::string& v, CommandLine& c, std::string* e) {
             return milliseconds(v, &c.chip.eraseMs, e, "--erase-ms");
         }},
        {"--reboot-ms",
         [](const std::string& v, CommandLine& c, std::string* e) {
             if (v == "never") {
                 c.chip.rebootMs = -1;
                 return true;
             }
             int ms = 0;
             if (!milliseconds(v, &ms, e, "--reboot-ms")) return false;
             c.chip.rebootMs = ms;
             return true;
         }},
        {"--image-in",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.imageIn = v;
             return true;
         }},
        {"--image-out",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.imageOut = v;
             return true;
         }},
        {"--report",
         [](const std::string& v, CommandLine& c, std::string*) {
             c.chip.reportPath = v;
             return true;
         }},
        {"--options",
         [](const std::string& v, CommandLine& c, std::string* e) {
             const auto bytes = parseOptionBytes(v, e);
             if (!bytes) return false;
             for (const auto& [index, value] : *bytes) c.chip.options[index] = value;
             return true;
         }},
        {"--boot-version",
         [](const std::string& v, CommandLine& c, std::string* e) {
             if (parseBootVersion(v, &c.chip.bootVersion, &c.chip.bootLetter)) return true;
             *e = "--boot-version must look like 6.2C (major.minor and a letter)";
             return false;
         }},
        {"--serial",
         [](const std::string& v, CommandLine& c, std::string* e) {
             const auto serial = parseSerial(v);
             if (!serial) {
                 *e = "--serial must be 14 hex digits (7 bytes), dashes allowed";
                 return false;
             }
             c.chip.serial = *serial;
             return true;
         }},
        {"--soft-start",
         [](const std::string& v, CommandLine& c, std::string* e) {
             c.chip.softStart = parseSoftStart(v, e);
             return c.chip.softStart.has_value();
         }},
        {"--power-on",
         [](const std::string& v, CommandLine& c, std::string* e) {
             if (v.empty()) {
                 *e = "--power-on needs the path of a FIFO";
                 return false;
             }
             c.chip.powerChannel = v;
             return true;
         }},
        {"--fault", [](const std::string& v, CommandLine& c,
                       std::string* e) { return addFault(c.chip.faults, v, e); }},
        {"--seed",
         [](const std::string& v, CommandLine& c, std::string* e) {
             long seed = 0;
             if (!parseInt(v, 0, UINT32_MAX, &seed)) {
                 *e = "--seed must be a whole number";
                 return false;
             }
             c.chip.seed = static_cast<uint32_t>(seed);
             return true;
         }},
    };
    return options;
}

const std::map<std::string, std::function<void(CommandLine&)>>& flagOptions() {
    static const std::map<std::string, std::function<void(CommandLine&)>> flags = {
        {"--once", [](CommandLine& c) { c.chip.once = true; }},
        {"--pace", [](CommandLine& c) { c.chip.pace = true; }},
        {"--run", [](CommandLine& c) { c.chip.run = true; }},
        {"--verbose", [](CommandLine& c) { c.verbose = true; }},
        {"-v", [](CommandLine& c) { c.verbose = true; }},
        {"--help", [](CommandLine& c) { c.help = true; }},
        {"-h", [](CommandLine& c) { c.help = true; }},
    };
    return flags;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string* error) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end()) {
            if (value) {
                *error = name + " takes no value";
                return false;
            }
            flag->second(out);
            continue;
        }
        const auto setter = valueOptions().find(name);
        if (setter == valueOptions().end()) {
            *error = "unknown option '" + args[i] + "'";
            return false;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                *error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!setter->second(*value, out, error)) return false;
    }
    if (!out.help && out.chip.model.empty()) {
        *error = "no chip model given; use --model, for example --model D103";
        return false;
    }
    return true;
}

std::string helpText() {
    return std::string(
               "Usage: zel-sim --model ID|NAME [options]\n"
               "\n"
               "A virtual ZEL chip with its serial bootloader, behind a pseudo-terminal. Point\n"
               "korvan, korvan-cli or any serial program at the terminal as at a serial port.\n"
               "The terminal's path is the first line printed on standard output. zel-sim runs\n"
               "until it is interrupted (Ctrl-C), or until the first program run with --once.\n"
               "\n"
               "The chip waits for the boot delay (standing in for your power cycle), then\n"
               "listens at 1200 baud for the sync byte 7F and answers with its status: model\n"
               "ID, clock counts, bootloader version and option bytes. It then executes the\n"
               "bootloader commands a host sends, in the order real chips need them (enter\n"
               "programming before an erase, an erase before block writes, the first end\n"
               "command before the second): baud test and confirm (answered at the new rate\n"
               "only once the host's line is there too, within 3 %), enter programming (with\n"
               "the chip's own model ID), erase, 128-byte block writes, option write and\n"
               "read, and the end commands. Flash only clears bits, so writing over unerased\n"
               "bytes shows in the image. A block write is answered 80 (series with one-byte\n"
               "checksums) or 00 (two-byte checksums) when written, 81 to have it sent again,\n"
               "83 when refused (no erase yet, or beyond the flash). Packets with a wrong\n"
               "length, checksum or end byte, and bytes sent at a rate the chip is not\n"
               "listening at, get no answer. Likewise a reply that goes out while the host's\n"
               "line is at another rate (a terminal has reopened it for the program) never\n"
               "arrives.\n"
               "\n"
               "After the last end command the chip runs the program, writes --image-out and\n"
               "--report, and is power-cycled again after --reboot-ms. Sync bytes arriving\n"
               "after a quiet spell also count as a power cycle for a new job.\n"
               "\n"
               "Chip:\n"
               "  --model ID|NAME     the chip: a four-digit model ID from zel.db (D103) or a\n"
               "                      model name (ZELH64AD, any case); required\n"
               "  --db FILE           read the models from FILE instead of $ZEL_DB or the\n"
               "                      installed zel.db (~/.local/share/zel/zel.db)\n"
               "  --freq HZ           the chip's clock in Hz, 1-100 MHz (default 11059200); the\n"
               "                      host measures it from the clock counts in the status\n"
               "  --options I=HH,...  initial option bytes by their index in the status reply,\n"
               "                      e.g. 24=BF,25=FA (default: every option byte FF)\n"
               "  --boot-version V    bootloader version to report, e.g. 6.2C (the default)\n"
               "  --serial HEX        serial number of D1 and D3 chips, 14 hex digits\n"
               "                      (default 001A2B3C4D5E6F)\n"
               "  --image-in FILE     start with this flash content (binary from address 0);\n"
               "                      default: blank (all FF)\n"
               "\n"
               "Line:\n"
               "  --link PATH         also publish the terminal as the symbolic link PATH (an\n"
               "                      existing link there is replaced, any other file is not)\n"
               "  --pace              move bytes at the line rate in both directions (10 bits\n"
               "                      a byte, 11 for series with parity), for benchmarks\n"
               "\n"
               "Timing (milliseconds):\n"
               "  --boot-delay MS     time before the boot window opens (default 300)\n"
               "  --erase-ms MS       time an erase takes before it is answered (default 100)\n"
               "  --reboot-ms MS|never  time the program runs before the next power cycle\n"
               "                      (default 1000; with --soft-start: never)\n"
               "  --once              exit after the first program run\n"
               "\n"
               "After the end commands:\n"
               "  --image-out FILE    write the whole flash (binary) at every program run\n"
               "  --report FILE       write a JSON report at every program run: model, clock,\n"
               "                      final baud rate, erase and block counts, retries seen,\n"
               "                      option bytes and the SHA-256 of the flash image\n"
               "  --run               run the flashed program in s51 (package sdcc-ucsim) with\n"
               "                      its UART joined to the terminal; s51 runs as fast as\n"
               "                      it can, so a program's timed output comes sooner than\n"
               "                      on a real chip\n"
               "\n"
               "Soft start:\n"
               "  --soft-start BYTES@SETTINGS  the chip starts running its program; receiving\n"
               "                      BYTES (hex, blank-separated) at the rate of SETTINGS\n"
               "                      (rate,parity,data bits,stop bits) makes it enter the boot\n"
               "                      window, e.g. --soft-start '12 34@9600,N,8,1'. A pseudo-\n"
               "                      terminal carries no parity, so only the rate is checked.\n"
               "\n"
               "Power:\n"
               "  --power-on FIFO     the chip starts without power; DTR switches its supply\n"
               "                      (asserted = on: the boot window opens after the boot\n"
               "                      delay; cleared = off: the chip hears nothing). A pseudo-\n"
               "                      terminal has no modem lines, so the host's line changes\n"
               "                      arrive through FIFO (created when missing) as text\n"
               "                      lines DTR=1, DTR=0, RTS=1, RTS=0. korvan and korvan-cli\n"
               "                      write them there when the environment variable\n"
               "                      KORVAN_TEST_MODEM_LINES names the FIFO (for tests).\n"
               "                      The chip then never power-cycles by itself.\n"
               "\n"
               "Faults (--fault NAME, may be given several times):\n") +
           faultHelp() +
           "  --seed N            seed of the noise fault's random bytes (default 1)\n"
           "\n"
           "Other:\n"
           "  -v, --verbose       log every step of the chip on standard error\n"
           "  -h, --help          show this text\n"
           "  --lang en|zh        accepted like korvan-cli's; zel-sim's messages are English\n"
           "\n"
           "Environment:\n"
           "  ZEL_SIM_HOST_SLACK_MS=MS  added to each wait for the host (its switch to a\n"
           "                      new rate, the second end command); test suites set it\n"
           "                      so that a host slowed down by a busy machine is not\n"
           "                      taken for one that went away (default 0)\n"
           "\n"
           "On start zel-sim names the chip, its option bytes and the terminal on standard\n"
           "error. Exit status: 0 after an interrupt, --once or a hang-up fault; 1 when the\n"
           "chip cannot be set up (unknown model, unreadable file, no terminal); 2 for a\n"
           "command line it does not understand.\n"
           "\n"
           "Example: zel-sim --model D103 --link /tmp/zel0\n";
}

}  // namespace zelsim

#include <stdlib.h>

#include <algorithm>
#include <iostream>
#include <ostream>
#include <string_view>
#include <thread>

#include "audio/audio_state_file.h"
#include "cli/cli_context.h"
#include "cli/cli_options.h"
#include "cli/keyboard_session.h"
#include "cli/lighting_block_verbs.h"
#include "common/dbg_out.h"
#include "devlink/hid/hidraw_backend.h"
#include "sim/sim_devices.h"

namespace md::cli {
namespace {

void usage(std::ostream& os) {
    os << "usage: mouse-driver-cli [options] VERB [arguments]\n"
          "verbs:\n"
          "  list                 every HID collection: path, identifiers, usage, report lengths\n"
          "  info                 session, device information, key count, macro capacity, power\n"
          "  watch                print arrival and removal of supported collections until\n"
          "                       interrupted\n"
          "  settings             the mouse's settings block, decoded\n"
          "  dpi set STAGE DPI | dpi active STAGE | dpi enable STAGE | dpi disable STAGE\n"
          "  polling INDEX        report rate index 0-4\n"
          "  lighting MODE [--brightness 0-4] [--speed 0-4] [--direction 0-1]\n"
          "                [--colour RRGGBB] [--multicolour]\n"
          "  settings, lighting MODE ... with --device headset|mousepad\n"
          "                       the lighting block: modes 0 wave, 1 spectrum, 2 breathing,\n"
          "                       3 steady, 4 flash, 6 ring, 7 ripple, 8 off\n"
          "  keys                 the mouse's buttons with their functions\n"
          "  keys set BUTTON FUNCTION\n"
          "                       assign a function to button 0-10: left, right, middle,\n"
          "                       forward, back, wheel-up/-down/-left/-right, dpi-up,\n"
          "                       dpi-down, dpi-cycle, dpi-shift, fire:INTERVAL:COUNT,\n"
          "                       key:ctrl+c, media:play, system:sleep, edit:copy,\n"
          "                       macro:N[:MODE|:xCOUNT], recoil:N, disabled, default, or\n"
          "                       a raw code of six hexadecimal digits (e.g. 100100)\n"
          "  macros [list]        the mouse's macros: index, name, number of events\n"
          "  macros import FILE   add a macro from a .mac file\n"
          "  macros export NAME FILE\n"
          "                       write a macro (by name or index) to a .mac file\n"
          "  macros upload        write the macros of the mouse's data folder to the mouse\n"
          "  recoil show GUN      the recoil table of gun 0-3: direction, distance, delay\n"
          "  recoil import GUN FILE | recoil export GUN FILE\n"
          "                       replace a gun's table from a file / write it to a file\n"
          "  recoil upload        write the recoil tables (ShootData_ files) to the mouse\n"
          "  keyboard (with --device keyboard or keyboard-receiver):\n"
          "  settings             the active hardware profile's record, decoded\n"
          "  settings set NAME VALUE\n"
          "                       polling 0-3, winlock|wasd|sixkeys on|off, repeat 0-31,\n"
          "                       delay 0-3\n"
          "  lighting MODE        mode 0-28, with the options of the mouse's lighting;\n"
          "                       20 shows the custom colours of --group 1-3\n"
          "  lighting key KEY RRGGBB\n"
          "                       one key's colour in the current custom group (mode 20)\n"
          "  keys | keys set KEY FUNCTION\n"
          "                       KEY 0-125 or its name (key:capslock); FUNCTION as above\n"
          "  macros ..., profile ...  the keyboard's macros and profiles\n"
          "  profile dump FILE    the mouse's current state as a profile file\n"
          "  profile apply FILE   import a profile file, make it current and write it to the "
          "mouse\n"
          "  update-check         ask the update service for newer software and firmware\n"
          "  headset              the headset's equaliser, microphone and monitoring\n"
          "  headset eq set PRESET|BANDS\n"
          "                       preset 1-12 (13: the selected custom equaliser), or ten band\n"
          "                       gains -20..20 separated by commas\n"
          "  headset mic LEVEL|mute|unmute      microphone level 0-100 or mute\n"
          "  headset monitor LEVEL|mute|unmute  hearing the microphone in the headphones\n"
          "options:\n"
          "  --json               machine-readable output\n"
          "  --trace              print every command packet and reply\n"
          "  --device KIND        mouse|receiver|keyboard|mousepad|headset\n"
          "  --sysfs-root DIR     read HID interfaces from another sysfs tree\n"
          "  --dev-root DIR       open device nodes below another folder\n"
          "  --simulate LIST      use virtual devices instead of hardware, e.g.\n"
          "                       mouse,receiver,keyboard,keyboard-receiver,mousepad,headset\n"
          "  --sim-state FILE     keep the virtual devices' memory in FILE between runs\n"
          "  --script STEPS       watch: plug, unplug, battery, charge and phone steps of\n"
          "                       virtual devices on a time line, e.g. \"100 unplug mouse;\n"
          "                       300 plug mouse; 900 battery mouse 9; 1200 charge mouse on\"\n"
          "  --service URL        update-check: the update service's https:// base address\n"
          "  --ca-file FILE       update-check: trust the CAs of this PEM file instead of the\n"
          "                       system's\n"
          "  --version            the program's version\n"
          "  --help               this text\n";
}

}  // namespace

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
           std::shared_ptr<HidBackend> backend, DeviceHost* host) {
    CliContext ctx;
    ctx.host = host;
    ctx.out = &out;
    ctx.err = &err;
    std::string verb;
    // Only words that start with "--" (and -h) are options, so negative numbers (equaliser
    // gains) stay arguments; an option may come before or after the verb.
    auto fail = [&](const std::string& what) {
        err << "mouse-driver-cli: " << what << " (try mouse-driver-cli --help)\n";
        return kExitBadArguments;
    };
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        const CliOption* option = findCliOption(a);
        if (!option && (a.rfind("--", 0) == 0 || a == "-h")) return fail("unknown option " + a);
        if (!option) {
            if (verb.empty())
                verb = a;
            else
                ctx.args.push_back(a);
            continue;
        }
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= argv.size()) return fail("option " + a + " needs a value");
            value = argv[++i];
        }
        const std::string_view name = option->name;
        if (name == "--help") {
            usage(out);
            return kExitOk;
        } else if (name == "--version") {
            out << "mouse-driver-cli " << MD_VERSION_TEXT << "\n";
            return kExitOk;
        } else if (name == "--json") {
            ctx.json = true;
        } else if (name == "--trace") {
            ctx.trace = true;
        } else if (name == "--sysfs-root") {
            ctx.sysfsRoot = value;
        } else if (name == "--dev-root") {
            ctx.devRoot = value;
        } else if (name == "--device") {
            ctx.device = value;
        } else if (name == "--simulate") {
            ctx.simulate = value;
        } else if (name == "--sim-state") {
            ctx.simState = value;
        } else if (name == "--script") {
            ctx.script = value;
        } else {
            // Verb options: --brightness 3, --multicolour.
            ctx.named[std::string(name.substr(2))] = option->takesValue ? value : "1";
        }
    }
    if (verb.empty()) return fail("no verb given");
    // --trace: the lines of this run's thread go to out (inside the application other threads
    // keep writing to whatever receiver it had, which comes back afterwards).
    struct TraceScope {
        bool on = false;
        DbgSink previous;
        ~TraceScope() {
            if (on) setDbgSink(std::move(previous));
        }
    } trace;
    if (ctx.trace) {
        trace.on = true;
        const std::thread::id self = std::this_thread::get_id();
        trace.previous = exchangeDbgSink(nullptr);
        setDbgSink([&out, self, previous = trace.previous](std::string_view line) {
            if (std::this_thread::get_id() == self) out << line << '\n';
            if (previous) previous(line);
        });
    }
    if (backend) {
        ctx.backend = std::move(backend);
    } else if (!ctx.simulate.empty()) {
        std::string error;
        const std::vector<std::string> kinds = sim::splitKinds(ctx.simulate);
        auto bus = sim::makeVirtualBus(kinds, ctx.simState, &error);
        if (!bus) {
            err << "--simulate: " << error << "\n";
            return kExitBadArguments;
        }
        // The report log serves tests; a watch that runs for hours keeps none.
        for (const auto& d : bus->devices()) d->log().setCapacity(0);
        ctx.backend = std::move(bus);
        // The virtual headset brings its sound card: the audio library's simulation, kept
        // beside the devices' state file between runs (unless the caller chose one).
        if (std::find(kinds.begin(), kinds.end(), "headset") != kinds.end())
            ::setenv(kAudioSimVariable,
                     ctx.simState.empty() ? "1" : (ctx.simState + ".audio").c_str(), 0);
    } else if (!ctx.simState.empty()) {
        err << "--sim-state needs --simulate\n";
        return kExitBadArguments;
    } else {
        ctx.backend = std::make_shared<HidrawBackend>(ctx.sysfsRoot, ctx.devRoot);
    }

    int rc = kExitBadArguments;
    if (verb == "list") {
        rc = runList(ctx);
    } else if (verb == "info") {
        rc = runInfo(ctx);
    } else if (verb == "watch") {
        rc = runWatch(ctx);
    } else if ((verb == "settings" || verb == "lighting") && isLightingBlockDevice(ctx.device)) {
        rc = runLightingBlockVerb(ctx, verb);
    } else if (verb == "settings" || verb == "dpi" || verb == "polling" || verb == "lighting" ||
               verb == "keys") {
        rc = isKeyboardName(ctx.device) ? runKeyboardVerb(ctx, verb) : runMouseVerb(ctx, verb);
    } else if (verb == "macros") {
        rc = runMacrosVerb(ctx);
    } else if (verb == "recoil") {
        rc = runRecoilVerb(ctx);
    } else if (verb == "profile") {
        rc = runProfileVerb(ctx);
    } else if (verb == "update-check") {
        rc = runUpdateCheckVerb(ctx);
    } else if (verb == "headset") {
        rc = runHeadsetVerb(ctx);
    } else {
        fail("unknown verb '" + verb + "'");
    }
    return rc;
}

}  // namespace md::cli

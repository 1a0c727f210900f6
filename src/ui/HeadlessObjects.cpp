// The console's own objects: object add, move and kill, and objects.
#include "app/ObjectCommands.h"
#include "app/Program.h"
#include "geo/Position.h"
#include "ui/ConsoleText.h"
#include "ui/HeadlessUi.h"

namespace velmora {
using console::Print;
using console::Trim;

void HeadlessUi::CmdObject(std::string_view args) {
    ObjectsModule& objects = program_->Objects();
    const auto rest = [&](size_t n) { return Trim(args.substr(std::min(n, args.size()))); };
    ObjectsModule::Outcome outcome;
    if (args.starts_with("add ") || args == "add") {
        const ObjectWordsRead r = ReadObjectWords(rest(3), true);
        if (!r.words) {
            Print(r.problem);
            return;
        }
        OwnObjectEntry e;
        e.name = r.words->name;
        e.lat = TypedLatUnits(r.words->position.lat);
        e.lon = TypedLonUnits(r.words->position.lon);
        e.symbolTable = r.words->symbolTable, e.symbolCode = r.words->symbolCode;
        e.comment = r.words->comment;
        outcome = objects.Put(e);
    } else if (args.starts_with("move ") || args == "move") {
        const ObjectWordsRead r = ReadObjectWords(rest(4), false);
        if (!r.words) {
            Print(r.problem);
            return;
        }
        outcome = objects.Move(r.words->name, TypedLonUnits(r.words->position.lon),
                               TypedLatUnits(r.words->position.lat));
    } else if (args.starts_with("kill ")) {
        outcome = objects.Kill(std::string(rest(4)));
    } else {
        Print(std::string(kObjectAddUsage) + "\n" + kObjectMoveUsage + "\nusage: object kill NAME");
        return;
    }
    Print(outcome.ok ? outcome.text : "Not done: " + outcome.text);
}

void HeadlessUi::CmdObjects(std::string_view) {
    const auto& entries = program_->Objects().Store().Entries();
    if (entries.empty()) Print("No own objects: object add NAME LAT LON SYMBOL [COMMENT] makes one");
    for (const OwnObjectEntry& e : entries) Print(DescribeObject(e));
}

}  // namespace velmora

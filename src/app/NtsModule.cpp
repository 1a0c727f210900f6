#include "app/NtsModule.h"

#include "app/ListsModule.h"
#include "app/MessagingModule.h"

#include <cctype>
#include <cstdlib>

namespace velmora {

NtsModule::NtsModule(ModuleServices services, MessagingModule& messaging, ListWindows* lists)
    : s_(services), messaging_(messaging), lists_(lists) {}

bool NtsModule::Command(uint16_t id) {
    if (id == kCmdNewNts) {
        RadiogramForm form{New(), {}};
        if (editRadiogram(form) && !form.radiogram.to.empty()) {
            const size_t queued = Send(form.radiogram, form.text);
            s_.platform.notices.StatusText("Radiogram " + form.radiogram.number + " to " + form.radiogram.to + ": " +
                                           std::to_string(queued) + " messages");
        }
        return true;
    }
    if (id == kCmdNtsList) {
        list_.Invalidate();
        if (lists_) lists_->ShowList(list_);
        return true;
    }
    return false;
}

void NtsModule::Section(std::string_view from, std::string_view to, std::string_view text, std::string_view number) {
    if (store_.Receive(from, to, number, text, s_.platform.clock.NowStamp())) list_.Invalidate();
}

Radiogram NtsModule::New() {
    const Preferences& p = s_.prefs;
    const std::string place = p.Get("city").value_or("") + ", " + p.Get("state").value_or("") + " (" +
                              p.Get("county").value_or("") + ")";
    return store_.New(p.OwnCall(), place, s_.platform.clock.Now());
}

size_t NtsModule::Send(Radiogram r, std::string_view text) {
    r.check = std::to_string(RadiogramCheck(text));
    r.textLines = {};
    r.wholeText = std::string(text);
    store_.Store(r);
    list_.Invalidate();
    size_t queued = 0;
    for (const NtsSection& s : RadiogramSections(r, text))
        if (messaging_.Core().SendMessage(r.to, s.text, '-', -1, 0, s.number) >= 0) ++queued;
    return queued;
}

std::vector<std::string> NtsModule::ConsoleCommand(std::string_view args) {
    while (!args.empty() && args.front() == ' ') args.remove_prefix(1);
    if (args.empty()) {
        std::vector<std::string> out;
        for (size_t i = 0; i < store_.All().size(); ++i) {
            const Radiogram& r = store_.All()[i];
            out.push_back(std::to_string(i + 1) + "\t" + RadiogramTitle(r) + "\t" + (r.complete ? "complete" : "partial") +
                          "\t" + r.wholeText);
        }
        out.push_back(std::to_string(store_.All().size()) + " radiograms");
        return out;
    }
    if (args.rfind("show ", 0) == 0) {
        const int n = std::atoi(std::string(args.substr(5)).c_str());
        if (n < 1 || size_t(n) > store_.All().size()) return {"No radiogram " + std::string(args.substr(5))};
        return RadiogramText(store_.All()[size_t(n - 1)]);
    }
    if (args.rfind("send ", 0) == 0) {
        std::string_view rest = args.substr(5);
        const size_t space = rest.find(' ');
        if (space == std::string_view::npos) return {"usage: nts send CALL TEXT"};
        Radiogram r = New();
        r.to = std::string(rest.substr(0, space));
        for (char& c : r.to) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const size_t queued = Send(r, rest.substr(space + 1));
        return {"Radiogram " + r.number + " to " + r.to + ": " + std::to_string(queued) + " messages"};
    }
    return {"usage: nts | nts show N | nts send CALL TEXT"};
}

}  // namespace velmora

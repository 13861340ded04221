#include "setup/terminal_wizard.h"

#include <cctype>
#include <sstream>

#include "controls/driver.h"
#include "setup/display_screen.h"
#include "support/text.h"

namespace tavlin {

namespace {

// A caption or message with its line breaks made into new lines.
std::string Lines(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string Mark(bool checked) { return checked ? "[x]" : "[ ]"; }

// The choices a page offers beside its buttons, in the order they are numbered.
struct Choice {
    std::string text;
    std::function<void()> act;
};

std::vector<Choice> Choices(TDisplayScreen& screen, std::istream* in, std::ostream* out) {
    std::vector<Choice> choices;
    auto& app = screen.Application;
    switch (screen.Notebook1.PageIndex()) {
        case pgDirectory:
            choices.push_back({"Type another folder", [&screen, in, out] {
                                   if (!in || !out) return;
                                   *out << "Folder: " << std::flush;
                                   std::string folder;
                                   if (std::getline(*in, folder) && !Trim(folder).empty()) {
                                       screen.Application.Dispatch(
                                           [&screen, &folder] { screen.Main_Dir.UserType(Trim(folder)); });
                                   }
                               }});
            choices.push_back({"Browse for a folder", [&screen, &app] { app.Dispatch([&] { screen.Main_Dir.Browse(); }); }});
            break;
        case pgShortcuts: {
            for (TCheckBox* box : {&screen.CheckBox1, &screen.CheckBox2}) {
                choices.push_back({Mark(box->Checked) + " " + box->Caption,
                                   [box, &app] { app.Dispatch([box] { box->Click(); }); }});
            }
            for (std::size_t row = 0; row < screen.ListView1.Items.size(); ++row) {
                const TListItem& item = screen.ListView1.Items[row];
                const std::string where = item.SubItems.empty() ? "" : item.SubItems.front();
                TListView& list = screen.ListView1;
                choices.push_back({Mark(item.Checked) + " " + item.Caption + " (" + where + ")", [&list, row, &app] {
                                       app.Dispatch([&list, row] { list.UserSetChecked(row, !list.Items[row].Checked); });
                                   }});
            }
            break;
        }
        case pgFinished:
            for (TRadioButton* radio : {&screen.reboot, &screen.ReturnToWIndows, &screen.LaunchItOption}) {
                if (!radio->Visible) continue;
                std::string text = (radio->Checked() ? "(*) " : "( ) ") + Trim(radio->Caption);
                if (radio == &screen.LaunchItOption) text += ": " + screen.LaunchIt.Caption;
                choices.push_back({text, [radio, &app] { app.Dispatch([radio] { radio->Click(); }); }});
            }
            break;
        default:
            break;
    }
    return choices;
}

void AddMemo(std::ostringstream& text, const TMemo* memo) {
    if (!memo) return;
    for (const std::string& line : memo->Lines) text << "  " << line << '\n';
}

}  // namespace

std::string TerminalWizard::RenderPage(TDisplayScreen& screen) {
    std::ostringstream text;
    const std::string title = screen.TextInfo1.Caption;
    text << "\n==== " << title;
    if (screen.Wizard.Visible && !screen.Header1.Caption.empty() && screen.Header1.Caption != title) {
        text << ": " << screen.Header1.Caption;
    }
    text << " ====\n";
    if (!screen.Wizard.Visible) {
        if (screen.InstallStatus.Visible) text << screen.InstallStatus.Caption << '\n';
        text << "[Q] Close the window\n";
        return text.str();
    }
    switch (screen.Notebook1.PageIndex()) {
        case pgWelcome:
            AddMemo(text, screen.WelcomeMemo.get());
            break;
        case pgLicense:
            text << screen.LicenseTopLabel.Caption << '\n';
            AddMemo(text, screen.LicenseMemo.get());
            text << screen.LicenseBottomLabel.Caption << '\n';
            break;
        case pgDirectory:
            text << screen.DirectoryLabel.Caption << '\n'
                 << Trim(screen.GroupBox1.Caption) << ": " << screen.Main_Dir.Text << '\n';
            break;
        case pgShortcuts:
            text << "Shortcuts to add (toggle by number):\n";
            break;
        case pgReady:
            AddMemo(text, screen.ReadyMemo.get());
            break;
        case pgFinished:
            text << screen.CompletedLabel.Caption << '\n';
            break;
        case pgUninstaller:
            text << screen.UninstallOfLabel.Caption << ' ' << screen.ShadowLabel1.Caption << "\n\n"
                 << Lines(screen.ShadowLabel4.Caption) << '\n';
            break;
        default:
            break;
    }
    const auto choices = Choices(screen, nullptr, nullptr);
    for (std::size_t i = 0; i < choices.size(); ++i) text << "  " << i + 1 << ". " << choices[i].text << '\n';
    ControlDriver driver(screen.Application, screen);
    std::string buttons;
    for (TButton* button : driver.ShowingButtons()) {
        if (!button->Accelerator()) continue;
        buttons += "[" + std::string(1, button->Accelerator()) + "] " + Trim(StripAccelerator(button->Caption)) + "  ";
    }
    text << TrimRight(buttons) << '\n';
    return text.str();
}

bool TerminalWizard::ReadLine(std::string& line) {
    out_ << "> " << std::flush;
    if (!std::getline(in_, line)) return false;
    line = Trim(line);
    return true;
}

bool TerminalWizard::Carry(TDisplayScreen& screen, const std::string& answer) {
    if (answer.empty()) return false;
    if (std::isdigit(static_cast<unsigned char>(answer[0]))) {
        auto choices = Choices(screen, &in_, &out_);
        const std::size_t number = static_cast<std::size_t>(std::stoul(answer));
        if (number == 0 || number > choices.size()) return false;
        choices[number - 1].act();
        return true;
    }
    if (answer.size() != 1) return false;
    if (std::toupper(static_cast<unsigned char>(answer[0])) == 'Q') {
        screen.Application.Dispatch([&] { screen.Close(); });
        return true;
    }
    ControlDriver driver(screen.Application, screen);
    return driver.PressAccelerator(answer[0]);
}

bool TerminalWizard::NextAction(TDisplayScreen& screen) {
    out_ << RenderPage(screen);
    std::string answer;
    while (ReadLine(answer)) {
        if (Carry(screen, answer)) return true;
        out_ << "Please answer with a letter or a number shown above.\n";
    }
    out_ << '\n';
    return false;
}

void TerminalWizard::Update(TDisplayScreen& screen) { report_.Update(screen); }

MessageResult TerminalWizard::AskMessage(const std::string& caption, const std::string& text, MessageButtons buttons,
                                         MessageResult safeDefault) {
    struct Option {
        char letter;
        const char* name;
        MessageResult result;
    };
    std::vector<Option> options;
    switch (buttons) {
        case MessageButtons::Ok: options = {{'O', "OK", MessageResult::Ok}}; break;
        case MessageButtons::OkCancel:
            options = {{'O', "OK", MessageResult::Ok}, {'C', "Cancel", MessageResult::Cancel}};
            break;
        case MessageButtons::YesNo: options = {{'Y', "Yes", MessageResult::Yes}, {'N', "No", MessageResult::No}}; break;
        case MessageButtons::YesNoAll:
            options = {{'Y', "Yes", MessageResult::Yes}, {'N', "No", MessageResult::No}, {'A', "All", MessageResult::All}};
            break;
    }
    out_ << "\n---- " << caption << " ----\n" << Lines(text) << '\n';
    for (const Option& o : options) out_ << "[" << o.letter << "] " << o.name << "  ";
    out_ << '\n';
    std::string answer;
    while (ReadLine(answer)) {
        if (answer.empty() && options.size() == 1) return options.front().result;
        for (const Option& o : options) {
            if (answer.size() == 1 && std::toupper(static_cast<unsigned char>(answer[0])) == o.letter) return o.result;
        }
        out_ << "Please answer with one of the letters shown.\n";
    }
    return safeDefault;
}

bool TerminalWizard::AskText(const std::string& caption, const std::string& prompt, std::string& text) {
    out_ << "\n---- " << caption << " ----\n" << prompt << " [" << text << "] (empty keeps it, - cancels)\n";
    std::string answer;
    if (!ReadLine(answer) || answer == "-") return false;
    if (!answer.empty()) text = answer;
    return true;
}

}  // namespace tavlin

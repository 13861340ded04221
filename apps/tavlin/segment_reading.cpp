// Running the reader without anyone to answer its prompts.
#include "segment_reading.h"

namespace tavlin::tool {

namespace {

// Refuses every prompt and keeps the text of the last message box.
class RefusingDialogs : public Dialogs {
public:
    MessageResult messageBox(const std::string& text, const std::string&, MessageButtons, MessageKind,
                             MessageResult) override {
        lastMessage = text;
        return MessageResult::Cancel;
    }
    bool inputBox(const std::string&, const std::string&, std::string&) override { return false; }
    bool chooseFolder(const std::string&, std::string&) override { return false; }

    std::string lastMessage;
};

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

void ReadSegmentSet(ToolContext& context, const std::string& media, const std::string& tempFolder,
                    const std::function<void(TSegCompEZ&)>& prepare) {
    FileSystem& files = context.host.Files();
    const std::string mediaPath = context.host.PathOf(media);
    if (!files.directoryExists(mediaPath)) throw Exception(media + ": no such folder");

    RefusingDialogs dialogs;
    TSegCompEZ reader(files, dialogs);
    reader.SetSegBaseName("disk");
    reader.SetSegDir(mediaPath);
    reader.SetSegTmpDir(tempFolder);
    reader.SegPopUp = false;
    reader.ExceptionOnFileError = true;
    prepare(reader);
    try {
        reader.SegExpandAll();
    } catch (const ESegError&) {
        if (!reader.Aborted() || dialogs.lastMessage.empty()) throw;
        const std::string prompt = FirstLine(dialogs.lastMessage);
        // "Unable to locate" names the file already; a wrong segment does not.
        if (prompt.rfind(kSegUnableToLocate, 0) == 0) throw Exception(prompt);
        throw Exception(context.host.TerminalTextOf(reader.CurSegName()) + ": " + prompt);
    }
}

}  // namespace tavlin::tool

#include "controls/folder_edit.h"

#include "controls/application.h"
#include "platform/platform.h"

namespace tavlin {

TFolderEdit::TFolderEdit(TApplication& application, std::string name)
    : TEdit(std::move(name)), application_(application) {
    Hint = "Browse for Directory";
}

bool TFolderEdit::Browse() {
    Platform& platform = application_.platform();
    std::string folder = Text;
    if (!platform.dialogs().chooseFolder(Hint, folder) || folder.empty()) return false;
    FileSystem& files = platform.files();
    if (!files.directoryExists(folder)) {
        const auto answer = application_.MessageBox("The folder\r" + folder + "\rdoes not exist. Create it?",
                                                    MessageButtons::YesNo, MessageKind::Confirmation,
                                                    MessageResult::No);
        if (answer != MessageResult::Yes) return false;
        if (!files.forceDirectories(folder)) {
            application_.MessageBox("The folder\r" + folder + "\rcould not be created.", MessageButtons::Ok,
                                    MessageKind::Error);
            return false;
        }
    }
    Text = folder;
    return true;
}

}  // namespace tavlin

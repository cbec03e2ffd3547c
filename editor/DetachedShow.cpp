#include "editor/DetachedShow.h"

namespace editor {

DetachedShow::DetachedShow(const show::Show& show, const std::string& storePath, Copy copy)
    : storePath_(storePath)
{
    if (copy == Copy::kShow) {
        std::vector<show::Cue> saved = show.Cues();
        for (show::CueIndex cue = 0; cue < saved.size(); ++cue)
            saved[cue].HostName = show.SavedHostName(cue);
        model_.Replace(std::move(saved));
        const std::vector<show::CueIndex> changed = show.ChangedCues();
        std::vector<std::string> names;
        names.reserve(changed.size());
        for (const show::CueIndex cue : changed)
            names.push_back(show[cue].HostName);
        model_.SetHostNames(changed, names);
    }
    watch_ = model_.Subscribe([this](const show::ShowChange& change) {
        replaced_ |= change.kind == show::ShowChange::kReplaced;
        saved_ |= change.kind == show::ShowChange::kSaved;
    });
}

ShowContext DetachedShow::Context(prompt::Prompt& prompt, show::WorkProgress& progress)
{
    return {db_, rs_, storePath_, model_, prompt, &progress};
}

void DetachedShow::HandBack(show::Show& show, std::string& storePath, bool ended)
{
    if (replaced_ && ended) {
        show.TakeFrom(model_);
    } else if (replaced_) {
        show.Replace(model_.Cues()); // a copy: the command goes on with its own
    } else if (saved_) {
        std::vector<std::string> names;
        names.reserve(model_.Size());
        for (const show::Cue& cue : model_.Cues())
            names.push_back(cue.HostName);
        show.AcceptStoredNames(names);
    }
    replaced_ = saved_ = false;
    storePath = storePath_;
}

} // namespace editor

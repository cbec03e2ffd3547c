#include "show/Show.h"

#include "show/HostColours.h"

#include <gtest/gtest.h>
#include <set>

namespace {

show::Cue Named(const std::string& host)
{
    show::Cue cue;
    cue.HostName = host;
    return cue;
}

std::vector<show::Cue> Hosts(std::initializer_list<const char*> names)
{
    std::vector<show::Cue> cues;
    for (const char* name : names)
        cues.push_back(Named(name));
    return cues;
}

TEST(Show, ChangesAreCountedAgainstTheNamesAsReadAndUndoneByComingBack)
{
    show::Show show(Hosts({"A", "B", " A ", "HOST"}));
    EXPECT_EQ(show.HostNameCount(), 3u) << "names count as a store holds them: trimmed";
    std::vector<show::ShowChange> heard;
    const auto watch =
        show.Subscribe([&](const show::ShowChange& change) { heard.push_back(change); });

    show.SetHostName({3, 1, 1}, "B");
    ASSERT_EQ(heard.size(), 1u) << "one change for one command";
    EXPECT_EQ(heard[0].cues, std::vector<show::CueIndex>{3})
        << "cues that held it already are left out";
    EXPECT_EQ(heard[0].before, std::vector<std::string>{"HOST"});
    EXPECT_EQ(show.ChangedCues(), std::vector<show::CueIndex>{3});
    EXPECT_EQ(show.HostNameCount(), 2u);

    show.SetHostNames({3}, {"HOST"});
    EXPECT_FALSE(show.AnyChanged()) << "back to the name as read";
    show.SetHostName({0}, "A");
    EXPECT_EQ(heard.size(), 2u) << "a change that changes nothing is not told";
    EXPECT_THROW(show.SetHostName({4}, "X"), std::out_of_range);
    EXPECT_EQ(show[0].HostName, "A") << "a refused change changes nothing";
}

TEST(Show, NamesFromTheStoreCountAsSavedAndAListenerMayLeaveFirst)
{
    show::Show show(Hosts({"A", "B"}));
    show.SetHostName({0}, "X");
    std::vector<show::ShowChange::Kind> heard;
    {
        const auto watch =
            show.Subscribe([&](const show::ShowChange& change) { heard.push_back(change.kind); });
        show.AcceptStoredNames({"X", "Theirs"});
    }
    EXPECT_EQ(heard, (std::vector{show::ShowChange::kHostNames, show::ShowChange::kSaved}));
    EXPECT_FALSE(show.AnyChanged());
    EXPECT_EQ(show[1].HostName, "Theirs");
    EXPECT_EQ(show.SavedHostName(1), "Theirs");
    show.SetHostName({1}, "Y");
    EXPECT_EQ(heard.size(), 2u) << "the listener that left hears nothing more";
}

// A show handed over whole keeps its unsaved names as unsaved.
TEST(Show, AShowTakenFromAnotherKeepsWhatWasSavedAndWhatWasNot)
{
    show::Show from(Hosts({"A", "B", "A"}));
    from.SetHostName({1}, "C");
    show::Show to(Hosts({"Old"}));
    std::vector<show::ShowChange::Kind> heard;
    const auto watch =
        to.Subscribe([&](const show::ShowChange& change) { heard.push_back(change.kind); });
    to.TakeFrom(from);
    EXPECT_EQ(heard, std::vector{show::ShowChange::kReplaced}) << "not saved: one name is new";
    ASSERT_EQ(to.Size(), 3u);
    EXPECT_EQ(to[1].HostName, "C");
    EXPECT_EQ(to.SavedHostName(1), "B");
    EXPECT_EQ(to.ChangedCues(), std::vector<show::CueIndex>{1});
    EXPECT_EQ(to.HostNameCount(), 2u);
    EXPECT_TRUE(from.Empty());
    EXPECT_FALSE(from.AnyChanged());
    EXPECT_EQ(from.HostNameCount(), 0u);
}

TEST(HostColours, TheFirst24NamesGetHuesOfTheirOwnInTheOrderTheyAppear)
{
    std::vector<show::Cue> cues = Hosts({"HOST", "", "Z"});
    for (int i = 0; i < 23; ++i)
        cues.push_back(Named("H" + std::to_string(i)));
    cues.push_back(Named(" Z "));
    show::HostColours colours;
    colours.Assign(cues);
    EXPECT_FALSE(colours.Hue("HOST"));
    EXPECT_FALSE(colours.Hue(""));
    EXPECT_EQ(colours.Hue("Z"), 0) << "the first name, whatever its bytes";
    std::set<int> hues;
    for (const show::Cue& cue : cues)
        if (const std::optional<int> hue = colours.Hue(cue.HostName))
            hues.insert(*hue);
    EXPECT_EQ(hues.size(), 24u);
    show::HostColours again;
    again.Assign(Hosts({"Y", "Z"}));
    EXPECT_NE(again.Hue("Z"), 0) << "by appearance in this show, not by the name";
}

} // namespace

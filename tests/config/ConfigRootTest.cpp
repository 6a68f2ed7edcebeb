#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actions/ActionRegistry.h"
#include "config/MessageCapture.h"
#include "eventconfig/EventConfig.h"
#include "operations/OperationRegistry.h"
#include "reading/ServedTexts.h"

namespace {

Protocol_Type_Enum P(int value) {
    return static_cast<Protocol_Type_Enum>(value);
}

const char* const kFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<EventConfig>\n"
    "  <Protocol>\n"
    "    <Gsm ProtocolType=\"2\"><StateMachineConfig/><EventInfoList/></Gsm>\n"
    "    <Lte ProtocolType=\"3\" Name=\"\xE9\x85\x8D\"><StateMachineConfig/></Lte>\n"
    "  </Protocol>\n"
    "  <MsgParserConfig><Parser Name=\"rrc\"/></MsgParserConfig>\n"
    "  <GenMessageInfoString><Info Name=\"old\"/></GenMessageInfoString>\n"
    "</EventConfig>\n";

const wchar_t* const kGsm = L"<Gsm ProtocolType=\"2\"><StateMachineConfig/><EventInfoList/></Gsm>";
const wchar_t* const kLte = L"<Lte ProtocolType=\"3\" Name=\"\u914D\"><StateMachineConfig/></Lte>";

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class ConfigRoot : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("eventconfig_root_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        file_ = dir_ / "EventConfig.xml";
        WriteFile(file_, kFile);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Fresh from a text, without the file system.
    static void Reparse(IEventConfig& root, const std::wstring& text) {
        EXPECT_EQ(root.SetEventConfig(text), 1);
    }

    MessageCapture capture_;
    std::filesystem::path dir_;
    std::filesystem::path file_;
};

void ExpectLoadedFile(IEventConfig& root) {
    EXPECT_EQ(root.GetEventConfigByProtocol(P(2)), kGsm);
    EXPECT_EQ(root.GetEventConfigByProtocol(P(3)), kLte);
    EXPECT_EQ(root.GetEventConfigByProtocol(P(1)), L"");
    EXPECT_EQ(root.GetMsgConfig(), L"<MsgParserConfig><Parser Name=\"rrc\"/></MsgParserConfig>");
    EXPECT_EQ(root.GetGenMsgInfoConfig(),
              L"<GenMessageInfoString><Info Name=\"old\"/></GenMessageInfoString>");
    // The whole text as decoded from UTF-8.
    const std::wstring whole = root.GetEventConfig();
    EXPECT_EQ(whole.rfind(L"<?xml", 0), 0u);
    EXPECT_NE(whole.find(kLte), std::wstring::npos);
}

TEST_F(ConfigRoot, LoadsAGivenPathAndServesThroughTheInterface) {
    IEventConfig* root = new CEventConfig(file_.wstring());
    ExpectLoadedFile(*root);
    EXPECT_TRUE(MessageCapture::Messages().empty());
    Reparse(*root, L"<R><Protocol><A ProtocolType=\"2\"/></Protocol></R>");
    EXPECT_EQ(root->GetEventConfigByProtocol(P(2)), L"<A ProtocolType=\"2\"/>");
    delete root;  // through the virtual destructor
}

TEST_F(ConfigRoot, DefaultConstructorLoadsTheFileBesideTheExecutable) {
    const std::filesystem::path path(EventConfigDefaultPath());
    if (std::filesystem::exists(path)) GTEST_SKIP() << "leaves an existing " << path << " alone";
    {
        CEventConfig missing;
        EXPECT_EQ(missing.GetEventConfig(), L"");
        ASSERT_EQ(MessageCapture::Messages().size(), 1u);
        EXPECT_EQ(MessageCapture::Messages()[0], ExpectedMissingFileMessage(path.wstring()));
    }
    const bool createdDir = std::filesystem::create_directories(path.parent_path());
    std::filesystem::copy_file(file_, path);
    {
        CEventConfig root;
        ExpectLoadedFile(root);
    }
    std::filesystem::remove(path);
    if (createdDir) std::filesystem::remove(path.parent_path());
    EXPECT_EQ(MessageCapture::Messages().size(), 1u);
}

TEST_F(ConfigRoot, MissingFileShowsTheMessageOnceAndLeavesAnEmptyRoot) {
    // Built as wide text: std::filesystem cannot convert it in the C locale.
    const std::wstring path = dir_.wstring() + L"/\u7F3A/EventConfig.xml";
    CEventConfig root(path);
    ASSERT_EQ(MessageCapture::Messages().size(), 1u);
    EXPECT_EQ(MessageCapture::Messages()[0], ExpectedMissingFileMessage(path));
    EXPECT_EQ(root.GetEventConfigByProtocol(P(0)), L"");
    EXPECT_EQ(root.GetMsgConfig(), L"");
    EXPECT_EQ(root.GetGenMsgInfoConfig(), L"");
    EXPECT_EQ(root.GetEventConfig(), L"");
    // The registries are created all the same.
    ASSERT_NE(COperationTypeConfigFactory::GetInstance(), nullptr);
    EXPECT_FALSE(COperationTypeConfigFactory::GetInstance()->GetRegisteredTypes().empty());
    EXPECT_FALSE(CActionTypeFactory::GetInstance()->GetRegisteredTypes().empty());
    // The root stays usable.
    Reparse(root, L"<R><Protocol><A ProtocolType=\"4\"/></Protocol></R>");
    EXPECT_EQ(root.GetEventConfigByProtocol(P(4)), L"<A ProtocolType=\"4\"/>");
}

struct SplitCase {
    const char* name;
    const wchar_t* text;
    std::map<int, std::wstring> protocols;
    const wchar_t* sides;  // "parser document|info document"
};

TEST_F(ConfigRoot, SplitsTheTopLevel) {
    const SplitCase cases[] = {
        {"duplicate type: the later wins",
         L"<R><Protocol><A ProtocolType=\"1\">a</A><B ProtocolType=\"1\">b</B></Protocol></R>",
         {{1, L"<B ProtocolType=\"1\">b</B>"}},
         L"|"},
        {"absent or non-numeric type is 0; _wtoi prefix rule",
         L"<R><Protocol><A/><B ProtocolType=\"x\"/><C ProtocolType=\" -7z\"/></Protocol></R>",
         {{0, L"<B ProtocolType=\"x\"/>"}, {-7, L"<C ProtocolType=\" -7z\"/>"}},
         L"|"},
        {"saturates at the 32-bit limits",
         L"<R><Protocol><A ProtocolType=\"99999999999\"/><B "
         L"ProtocolType=\"-99999999999\"/></Protocol></R>",
         {{2147483647, L"<A ProtocolType=\"99999999999\"/>"},
          {-2147483647 - 1, L"<B ProtocolType=\"-99999999999\"/>"}},
         L"|"},
        {"any root name, other elements passed over",
         L"<Cfg><X/><Protocol><P ProtocolType=\"5\"/></Protocol><Y/><MsgParserConfig/><Z/>"
         L"<GenMessageInfoString>g</GenMessageInfoString></Cfg>",
         {{5, L"<P ProtocolType=\"5\"/>"}},
         L"<MsgParserConfig/>|<GenMessageInfoString>g</GenMessageInfoString>"},
        {"no MsgParserConfig: empty, not the Protocol element",
         L"<R><Protocol><P "
         L"ProtocolType=\"1\"/></Protocol><GenMessageInfoString>g</GenMessageInfoString></R>",
         {{1, L"<P ProtocolType=\"1\"/>"}},
         L"|<GenMessageInfoString>g</GenMessageInfoString>"},
        {"no GenMessageInfoString: empty, not the parser element",
         L"<R><Protocol/><MsgParserConfig>m</MsgParserConfig></R>",
         {},
         L"<MsgParserConfig>m</MsgParserConfig>|"},
        {"no Protocol: the side elements are still found",
         L"<R><MsgParserConfig>m</MsgParserConfig><GenMessageInfoString>g</GenMessageInfoString></"
         L"R>",
         {},
         L"<MsgParserConfig>m</MsgParserConfig>|<GenMessageInfoString>g</GenMessageInfoString>"},
        {"searches run forward: a side element before Protocol is not seen",
         L"<R><MsgParserConfig>m</MsgParserConfig><Protocol/><GenMessageInfoString>g</"
         L"GenMessageInfoString></R>",
         {},
         L"|<GenMessageInfoString>g</GenMessageInfoString>"},
        {"side elements out of order",
         L"<R><GenMessageInfoString/><MsgParserConfig/></R>",
         {},
         L"<MsgParserConfig/>|"},
        {"side elements are looked for at the root's level only",
         L"<R><Protocol><MsgParserConfig ProtocolType=\"1\"/></Protocol></R>",
         {{1, L"<MsgParserConfig ProtocolType=\"1\"/>"}},
         L"|"},
        {"empty text", L"", {}, L"|"},
        {"not XML", L"just text < & >", {}, L"|"},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEventConfig root((dir_ / "absent.xml").wstring());
        Reparse(root, c.text);
        for (const auto& entry : c.protocols) {
            EXPECT_EQ(root.GetEventConfigByProtocol(P(entry.first)), entry.second) << entry.first;
        }
        for (int other : {0, 1, 2, 3, 4, 5, -7}) {
            if (c.protocols.count(other) != 0) continue;
            EXPECT_EQ(root.GetEventConfigByProtocol(P(other)), L"") << other;
        }
        EXPECT_EQ(root.GetMsgConfig() + L"|" + root.GetGenMsgInfoConfig(), c.sides);
        EXPECT_EQ(root.GetEventConfig(), c.text);
    }
}

TEST_F(ConfigRoot, ReparsingKeepsOldProtocolsAndReplacesTheSideDocuments) {
    CEventConfig root(file_.wstring());
    const std::wstring text =
        L"<EventConfig><Protocol><Umts ProtocolType=\"1\">new 1</Umts><Gsm ProtocolType=\"2\">new "
        L"2</Gsm>"
        L"</Protocol><MsgParserConfig>new</MsgParserConfig>"
        L"<GenMessageInfoString>new</GenMessageInfoString></EventConfig>";
    Reparse(root, text);
    EXPECT_EQ(root.GetEventConfigByProtocol(P(1)), L"<Umts ProtocolType=\"1\">new 1</Umts>");
    EXPECT_EQ(root.GetEventConfigByProtocol(P(2)), L"<Gsm ProtocolType=\"2\">new 2</Gsm>");
    EXPECT_EQ(root.GetEventConfigByProtocol(P(3)), kLte);
    EXPECT_EQ(root.GetMsgConfig(), L"<MsgParserConfig>new</MsgParserConfig>");
    EXPECT_EQ(root.GetGenMsgInfoConfig(), L"<GenMessageInfoString>new</GenMessageInfoString>");
    EXPECT_EQ(root.GetEventConfig(), text);

    // A text without side elements empties them.
    Reparse(root, L"<R><Protocol/></R>");
    EXPECT_EQ(root.GetMsgConfig(), L"");
    EXPECT_EQ(root.GetGenMsgInfoConfig(), L"");
    EXPECT_EQ(root.GetEventConfigByProtocol(P(1)), L"<Umts ProtocolType=\"1\">new 1</Umts>");
}

TEST_F(ConfigRoot, CopiesShareNothing) {
    CEventConfig source(file_.wstring());
    CEventConfig copy(source);
    ExpectLoadedFile(copy);
    Reparse(copy, L"<R><Protocol><G ProtocolType=\"2\">changed</G></Protocol></R>");
    ExpectLoadedFile(source);

    CEventConfig assigned((dir_ / "absent.xml").wstring());
    assigned = source;
    ExpectLoadedFile(assigned);
    assigned = copy;
    EXPECT_EQ(assigned.GetEventConfigByProtocol(P(2)), L"<G ProtocolType=\"2\">changed</G>");
    EXPECT_EQ(assigned.GetMsgConfig(), L"");
    ExpectLoadedFile(source);
}

TEST_F(ConfigRoot, RegistriesLiveWithTheRootAndAreRebuiltAfterIt) {
    const std::wstring ruleDoc =
        L"<Rule ID=\"7\"><Operation Type=\"0\" Info=\"op\"/>"
        L"<ActionList><Result Type=\"TRUE\"><Action Type=\"0\" "
        L"Info=\"act\"/></Result></ActionList></Rule>";
    std::vector<int> operationTypes;
    std::vector<int> actionTypes;
    {
        CEventConfig root(file_.wstring());
        COperationTypeConfigFactory* operations = COperationTypeConfigFactory::GetInstance();
        ASSERT_NE(operations, nullptr);
        EXPECT_EQ(COperationTypeConfigFactory::GetInstance(), operations);
        operationTypes = operations->GetRegisteredTypes();
        actionTypes = CActionTypeFactory::GetInstance()->GetRegisteredTypes();
        EXPECT_FALSE(operationTypes.empty());
        EXPECT_FALSE(actionTypes.empty());
        {
            CEventConfig copy(root);  // its destructor releases them too
        }
        CRuleConfig rule(ruleDoc);
        ASSERT_NE(rule.GetOperationType(), nullptr);
    }
    // Both released with the root; the next use builds complete registries.
    CRuleConfig rule(ruleDoc);
    ASSERT_NE(rule.GetOperationType(), nullptr);
    EXPECT_EQ(rule.GetOperationType()->GetOperationInfo(), L"op");
    ASSERT_EQ(rule.GetTrueActionList().size(), 1u);
    ASSERT_NE(rule.GetTrueActionList()[0], nullptr);
    EXPECT_EQ(rule.GetTrueActionList()[0]->GetActionInfo(), L"act");
    EXPECT_EQ(COperationTypeConfigFactory::GetInstance()->GetRegisteredTypes(), operationTypes);
    EXPECT_EQ(CActionTypeFactory::GetInstance()->GetRegisteredTypes(), actionTypes);
}

// A host's copy of a protocol's document reads through the root's index only
// while the root still holds that very text, and only when the whole text is
// well-formed (an element of a broken text may read differently on its own).
TEST_F(ConfigRoot, HostCopiesReadThroughTheRootsIndexOnlyWhileItHoldsThem) {
    const std::wstring sameLength =
        L"<R><Protocol><Gsm ProtocolType=\"2\"><StateMachineConfig/><EventInfoLisT/></Gsm>"
        L"</Protocol></R>";
    const std::wstring broken = L"<R><Protocol><Gsm ProtocolType=\"2\"/></Protocol><Open></R>";
    enum class Then { Nothing, Reparse, ReparseBroken, Destroy };
    const struct {
        const char* name;
        Then then;
        bool oldShared;
        bool newShared;
    } cases[] = {
        {"as loaded", Then::Nothing, true, true},
        {"text rewritten with the same length", Then::Reparse, false, true},
        {"text rewritten, not well-formed", Then::ReparseBroken, false, false},
        {"root destroyed", Then::Destroy, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = std::make_unique<CEventConfig>(file_.wstring());
        const std::wstring before = root->GetEventConfigByProtocol(P(2));
        if (c.then == Then::Reparse) Reparse(*root, sameLength);
        if (c.then == Then::ReparseBroken) Reparse(*root, broken);
        const std::wstring after =
            c.then == Then::Destroy ? before : root->GetEventConfigByProtocol(P(2));
        if (c.then == Then::Destroy) root.reset();
        ecfg::markup::Cursor cursor;
        EXPECT_EQ(ecfg::ServedTexts::Open(before, cursor), c.oldShared);
        EXPECT_EQ(ecfg::ServedTexts::Open(after, cursor), c.newShared);
    }
}

}  // namespace

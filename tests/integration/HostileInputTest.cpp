#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <thread>

#include "../fuzz/ModelWalk.h"
#include "config/MessageCapture.h"
#include "eventconfig/EventConfig.h"

#if defined(__linux__)
#include <pthread.h>
#include <sys/resource.h>
#endif

// Sizes a hand-edited file never has but a broken generator or a hostile
// file may: each goes through the navigator and through the whole model
// build. The limits only catch what is plainly wrong (a quadratic pass, a
// copy per element, recursion); the figures printed are the ones to watch.

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define HOSTILE_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define HOSTILE_SANITIZED 1
#endif

// A quadratic pass over these sizes takes hours; linear ones take seconds
// even under sanitizers or wine.
const double kSecondsLimit = 300.0;
// Recursion as deep as the nesting would need far more than this.
const std::size_t kStackBytes = 1 << 20;

std::wstring Repeat(const std::wstring& piece, std::size_t count) {
    std::wstring out;
    out.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) out += piece;
    return out;
}

// One protocol (key 1) whose only rule carries the given operation and
// action elements; `systemStateInside` goes into the system state element.
std::wstring Configuration(const std::wstring& operation, const std::wstring& action,
                           const std::wstring& systemStateInside = std::wstring()) {
    return L"<EventConfig><Protocol><P ProtocolType=\"1\"><StateMachineConfig><S ID=\"1\">" +
           systemStateInside +
           L"<WaitingEventStateList><WaitingEventState ID=\"1\"><Rule ID=\"1\">" + operation +
           L"<ActionList><Result Type=\"TRUE\">" + action +
           L"</Result></ActionList></Rule></WaitingEventState></WaitingEventStateList></S>"
           L"</StateMachineConfig><EventInfoList/><LogCodeFieldList/></P></Protocol>"
           L"<MsgParserConfig/><GenMessageInfoString/></EventConfig>";
}

// Runs f on a thread with a small stack where the platform lets us choose.
void RunOnSmallStack(const std::function<void()>& f) {
#if defined(__linux__)
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStackBytes);
    pthread_t thread;
    auto call = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, call, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
#else
    std::thread(f).join();
#endif
}

long PeakMegabytes() {
#if defined(__linux__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
#else
    return 0;
#endif
}

struct Figures {
    std::size_t elements = 0;
    std::size_t maxDepth = 0;
    int models = 0;
    std::vector<std::string> problems;
    double navigatorSeconds = 0;
    double modelSeconds = 0;
    double cpuSeconds = 0;
};

// Every element reached by the navigator, iteratively.
void Navigate(const std::wstring& text, Figures& figures) {
    CMarkup markup(text);
    std::size_t depth = 0;
    for (;;) {
        if (markup.FindElem()) {
            ++figures.elements;
            markup.GetAttrib(L"ID");
            markup.IntoElem();
            if (++depth > figures.maxDepth) figures.maxDepth = depth;
        } else if (depth > 0) {
            markup.OutOfElem();
            --depth;
        } else {
            break;
        }
    }
}

Figures Load(const std::wstring& text) {
    Figures figures;
    RunOnSmallStack([&] {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        const std::clock_t cpuStart = std::clock();
        Navigate(text, figures);
        const Clock::time_point navigated = Clock::now();
        modelwalk::Walker walker;
        walker.WalkConfiguration(text);
        figures.models = walker.Models();
        figures.problems = walker.Problems();
        figures.navigatorSeconds = std::chrono::duration<double>(navigated - start).count();
        figures.modelSeconds = std::chrono::duration<double>(Clock::now() - navigated).count();
        figures.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    });
    return figures;
}

void ExpectBounded(const char* name, const std::wstring& text, const Figures& figures) {
    std::printf(
        "[ hostile  ] %-26s %9zu chars %8zu elements depth %6zu: navigator %.2f s, "
        "model %.2f s (wall), %.2f s CPU, peak RSS %ld MB\n",
        name, text.size(), figures.elements, figures.maxDepth, figures.navigatorSeconds,
        figures.modelSeconds, figures.cpuSeconds, PeakMegabytes());
    EXPECT_TRUE(figures.problems.empty()) << name << ": " << figures.problems.front();
    EXPECT_LT(figures.navigatorSeconds + figures.modelSeconds, kSecondsLimit) << name;
#if !defined(HOSTILE_SANITIZED)
    // Peak resident size of the whole test process; sanitizers hold freed
    // memory back, so only unsanitized builds are measured.
    const long kPeakMegabytesLimit = 3072;
    EXPECT_LT(PeakMegabytes(), kPeakMegabytesLimit) << name;
#endif
}

TEST(HostileInput, DocumentNestedOneHundredThousandDeep) {
    const std::size_t depth = 100000;
    const std::wstring open = Repeat(L"<a>", depth);
    const std::wstring close = Repeat(L"</a>", depth);
    struct Case {
        const char* name;
        std::wstring text;
        std::size_t depth;  // of the deepest element
    } cases[] = {
        // Closed nesting inside an operation: every level of the model
        // hands it down as one sub-document.
        {"nested in an operation",
         Configuration(L"<Operation Type=\"6\"><MsgID>1A</MsgID>" + open + close + L"</Operation>",
                       L"<Action Type=\"3\">" + open + close + L"</Action>"),
         11 + depth},
        // Never closed: everything ends at the end of the text.
        {"nested, never closed", L"<EventConfig><Protocol><P ProtocolType=\"1\">" + open,
         3 + depth},
        // Deep system state list: each level is a system state candidate.
        {"nested system states",
         L"<C><Protocol><P ProtocolType=\"1\"><StateMachineConfig>" + open + close +
             L"</StateMachineConfig></P></Protocol></C>",
         4 + depth},
    };
    for (const Case& c : cases) {
        const Figures figures = Load(c.text);
        ExpectBounded(c.name, c.text, figures);
        EXPECT_EQ(figures.maxDepth, c.depth) << c.name;
        EXPECT_EQ(figures.models, 1) << c.name;
    }
}

TEST(HostileInput, AttributeOfTenMegabytes) {
    const std::size_t size = 10 * 1000 * 1000;
    const std::wstring letters(size, L'x');
    const std::wstring digits(size, L'7');
    struct Case {
        const char* name;
        std::wstring text;
    } cases[] = {
        {"10 MB message name",
         Configuration(L"<Operation Type=\"0\"/>", L"<Action Type=\"0\"/>",
                       L"<MsgList><Msg MsgID=\"1A\" Name=\"" + letters + L"\"/></MsgList>")},
        // Numbers saturate however many digits they have.
        {"10 MB of digits as a type",
         Configuration(L"<Operation/>", L"<Action Type=\"" + digits + L"\"/>")},
        {"10 MB unterminated value",
         L"<EventConfig><Protocol><P ProtocolType=\"1\" Name=\"" + letters},
    };
    for (const Case& c : cases) ExpectBounded(c.name, c.text, Load(c.text));

    // The values arrive whole.
    MessageCapture quiet;
    CEventConfig root{std::wstring()};
    root.SetEventConfig(cases[0].text);
    CStateMachineConfig machine(root.GetEventConfigByProtocol(PROTOCOL_TYPE_1));
    const auto& states = machine.GetSysStateConfigList();
    ASSERT_EQ(states.size(), 1u);
    const auto& messages = states.begin()->second->GetMsgList();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.begin()->second->GetMsgName().size(), size);
}

TEST(HostileInput, OneMillionEmptyElements) {
    const std::size_t count = 1000000;
    const std::wstring empties = Repeat(L"<m/>", count);
    struct Case {
        const char* name;
        std::wstring text;
    } cases[] = {
        // Every one is an id of an id-list action and a value of a check.
        {"1M list entries", Configuration(L"<Operation Type=\"6\"><MsgID>1</MsgID><Field>" +
                                              empties + L"</Field></Operation>",
                                          L"<Action Type=\"3\">" + empties + L"</Action>")},
        // Every one is a system state (all id 0: the last is kept).
        {"1M system states", L"<C><Protocol><P ProtocolType=\"1\"><StateMachineConfig>" + empties +
                                 L"</StateMachineConfig></P></Protocol></C>"},
        // Every one is an action of the rule.
        {"1M actions", Configuration(L"<Operation Type=\"0\"/>", Repeat(L"<Action/>", count))},
    };
    for (const Case& c : cases) {
        const Figures figures = Load(c.text);
        ExpectBounded(c.name, c.text, figures);
        EXPECT_GE(figures.elements, count) << c.name;
    }
}

TEST(HostileInput, TenMillionLessThanSigns) {
    const std::wstring signs(10 * 1000 * 1000, L'<');
    struct Case {
        const char* name;
        std::wstring text;
        std::size_t elements;
    } cases[] = {
        {"10M '<' alone", signs, 0},
        {"10M '<' in a rule",
         Configuration(
             L"<Operation Type=\"19\"><Field ID=\"1\"><v>" + signs + L"</v></Field></Operation>",
             L"<Action Type=\"1\"><EventID>1</EventID></Action>"),
         19},
    };
    for (const Case& c : cases) {
        const Figures figures = Load(c.text);
        ExpectBounded(c.name, c.text, figures);
        EXPECT_EQ(figures.elements, c.elements) << c.name;
    }
}

}  // namespace

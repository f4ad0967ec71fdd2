#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "effect/filter_delay_effect.h"
#include "host/capability_words.h"
#include "host/effect_base_ext.h"
#include "test_host.h"

using namespace molvex;

namespace {

// An effect that changes nothing of the base and counts what reaches it.
class BareEffect : public EffectBaseExt {
public:
    explicit BareEffect(HostCallback callback = nullptr, bool* destroyed = nullptr)
        : EffectBaseExt(callback, 4, 3), destroyed(destroyed) {}
    ~BareEffect() override {
        if (destroyed) *destroyed = true;
    }
    void process(float**, float**, VstInt32) override {}
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }
    void close() override { ++closes; }
    float getVu() override { return vu; }
    using EffectBase::callHost;

    bool* destroyed;
    int suspends = 0, resumes = 0, closes = 0;
    float vu = 0.0f;
};

class CountingEditor : public PluginEditor {
public:
    CountingEditor(EffectBase* effect, bool* destroyed)
        : PluginEditor(effect), destroyed(destroyed) {}
    ~CountingEditor() override { *destroyed = true; }
    VstIntPtr open(void* parent) override {
        PluginEditor::open(parent);
        return 1;
    }
    bool* destroyed;
};

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

}  // namespace

TEST(Record, ProductValues) {
    FilterDelayEffect effect(nullptr);
    const AEffect* r = effect.getRecord();
    EXPECT_EQ(r->numPrograms, 16);
    EXPECT_EQ(r->numParams, 9);
    EXPECT_EQ(r->numInputs, 2);
    EXPECT_EQ(r->numOutputs, 2);
    EXPECT_EQ(r->flags, effFlagsCanMono | effFlagsCanReplacing);
    EXPECT_EQ(r->ioRatio, 1.0f);
    EXPECT_EQ(r->version, 1);
    EXPECT_EQ(r->uniqueID, fourCharCode('m', 'x', '6', '7'));
    EXPECT_EQ(r->object, static_cast<void*>(static_cast<EffectBase*>(&effect)));
    const char zeros[sizeof r->future] = {};
    EXPECT_EQ(std::memcmp(r->future, zeros, sizeof zeros), 0);
    EXPECT_EQ(r->resvd1, 0);
    EXPECT_EQ(r->user, nullptr);
}

TEST(Record, BaseValuesOfAnEffectThatChangesNothing) {
    BareEffect effect;
    const AEffect* r = effect.getRecord();
    EXPECT_EQ(r->numInputs, 1);
    EXPECT_EQ(r->numOutputs, 2);
    EXPECT_EQ(r->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
    EXPECT_EQ(r->flags, 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

TEST(Record, CloseThroughTheRecordDestroysEffectAndEditor) {
    bool effectGone = false, editorGone = false;
    auto* effect = new BareEffect(nullptr, &effectGone);
    effect->attachEditor(std::make_unique<CountingEditor>(effect, &editorGone));
    AEffect* r = effect->getRecord();
    EXPECT_EQ(r->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(dispatch(r, effClose), 1);
    EXPECT_TRUE(effectGone);
    EXPECT_TRUE(editorGone);
}

TEST(Record, TheEffectAttachesWhatItsEditorFactoryHandsIt) {
    static bool gone;
    static int made;
    gone = false;
    made = 0;
    auto factory = [](FilterDelayEffect& effect) -> std::unique_ptr<PluginEditor> {
        ++made;
        return std::make_unique<CountingEditor>(&effect, &gone);
    };
    {
        FilterDelayEffect effect(nullptr, factory);
        EXPECT_EQ(made, 1);
        ASSERT_NE(effect.getEditor(), nullptr);
        EXPECT_EQ(effect.getEditor()->getEffect(), &effect);
        EXPECT_EQ(effect.getRecord()->flags & effFlagsHasEditor, effFlagsHasEditor);
    }
    EXPECT_TRUE(gone);

    FilterDelayEffect plain(
        nullptr, [](FilterDelayEffect&) -> std::unique_ptr<PluginEditor> { return nullptr; });
    EXPECT_EQ(plain.getEditor(), nullptr);
    EXPECT_EQ(plain.getRecord()->flags & effFlagsHasEditor, 0);
}

TEST(Record, AttachingNoEditorClearsOnlyTheEditorBitAndDeletesTheOldOne) {
    bool editorGone = false;
    BareEffect effect;
    effect.setFlagCanMono(true);
    effect.attachEditor(std::make_unique<CountingEditor>(&effect, &editorGone));
    effect.attachEditor(nullptr);
    EXPECT_EQ(effect.getRecord()->flags, effFlagsCanMono);
    EXPECT_TRUE(editorGone);
}

TEST(Record, FlagSettersTouchOneBitEach) {
    BareEffect effect;
    effect.setFlagHasClip(true);
    effect.setFlagHasVu(true);
    effect.setFlagProgramChunks(true);
    effect.setFlagExtIsAsync(true);
    effect.setFlagExtHasBuffer(true);
    effect.setFlagNoSoundInStop(true);
    EXPECT_EQ(effect.getRecord()->flags, 2 | 4 | 32 | 512 | 1024 | 2048);
    effect.setFlagHasVu(false);
    EXPECT_EQ(effect.getRecord()->flags, 2 | 32 | 512 | 1024 | 2048);
}

TEST(Dispatcher, FixedAnswers) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    EXPECT_EQ(dispatch(r, effIdentify, 7, 9, r, 1.5f), 0x4E764566);
    EXPECT_EQ(dispatch(r, effKeysRequired), 1);
    EXPECT_EQ(dispatch(r, effGetVstVersion), 2);
    EXPECT_EQ(dispatch(r, effGetNumProgramCategories), 1);
    char word[] = "1in1out";
    EXPECT_EQ(dispatch(r, effCanDo, 0, 0, word), 0);
    EXPECT_EQ(dispatch(r, effCanBeAutomated, 0), 1);
    EXPECT_EQ(dispatch(r, effCanBeAutomated, 9), 1);
    EXPECT_EQ(dispatch(r, effCanBeAutomated, 1000), 1);
    EXPECT_EQ(dispatch(r, effConnectInput, 0, 1), 1);
    EXPECT_EQ(dispatch(r, effConnectOutput, 1, 0), 1);
    EXPECT_EQ(dispatch(r, 59), 0);
    EXPECT_EQ(dispatch(r, -1), 0);
    for (VstInt32 opcode : {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep})
        EXPECT_EQ(dispatch(r, opcode), 0);
}

TEST(Dispatcher, TheBaseCanDoNoneOfThePluginCapabilityWords) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    for (const char* word : kPluginCapabilityWords) {
        std::string text(word);
        EXPECT_EQ(dispatch(r, effCanDo, 0, 0, text.data()), 0) << word;
    }
}

TEST(Dispatcher, EditorOpcodesAnswerZeroWithoutAnEditor) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(r, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(dispatch(r, effEditOpen, 0, 0, r), 0);
    EXPECT_EQ(dispatch(r, effEditClose), 0);
    EXPECT_EQ(dispatch(r, effEditIdle), 0);
}

TEST(Dispatcher, EditorOpcodesReachTheEditor) {
    bool gone = false;
    BareEffect effect;
    auto owned = std::make_unique<CountingEditor>(&effect, &gone);
    CountingEditor* editor = owned.get();
    effect.attachEditor(std::move(owned));
    AEffect* r = effect.getRecord();
    int parent = 0;
    EXPECT_EQ(dispatch(r, effEditOpen, 0, 0, &parent), 1);
    EXPECT_EQ(editor->getParentWindow(), &parent);
    ERect* rect = reinterpret_cast<ERect*>(&parent);
    EXPECT_EQ(dispatch(r, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    editor->postUpdate();
    dispatch(r, effEditIdle);
    EXPECT_FALSE(editor->isUpdatePending());
}

TEST(Dispatcher, ProgramSelectionStaysInsideTheBank) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    dispatch(r, effSetProgram, 0, 4);
    EXPECT_EQ(dispatch(r, effGetProgram), 0);
    dispatch(r, effSetProgram, 0, 3);
    EXPECT_EQ(dispatch(r, effGetProgram), 3);
    dispatch(r, effSetProgram, 0, -1);
    EXPECT_EQ(dispatch(r, effGetProgram), 3);
}

TEST(Dispatcher, MainsChangedCallsSuspendOrResume) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    dispatch(r, effMainsChanged, 0, 0);
    EXPECT_EQ(effect.suspends, 1);
    EXPECT_EQ(effect.resumes, 0);
    dispatch(r, effMainsChanged, 0, 5);
    EXPECT_EQ(effect.suspends, 1);
    EXPECT_EQ(effect.resumes, 1);
}

TEST(Dispatcher, RateAndBlockSize) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    EXPECT_EQ(dispatch(r, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    dispatch(r, effSetSampleRate, 0, 0, nullptr, 22050.0f);
    dispatch(r, effSetBlockSize, 0, 64);
    EXPECT_EQ(effect.getSampleRate(), 22050.0f);
    EXPECT_EQ(effect.getBlockSize(), 64);
}

TEST(Dispatcher, CategoryFollowsTheSynthFlag) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    EXPECT_EQ(dispatch(r, effGetPlugCategory), 0);
    effect.setFlagIsSynth(true);
    EXPECT_EQ(dispatch(r, effGetPlugCategory), 2);
}

TEST(Dispatcher, VuIsScaledAndTruncated) {
    BareEffect effect;
    effect.vu = 0.5f;
    EXPECT_EQ(dispatch(effect.getRecord(), effGetVu), 16383);
}

TEST(Dispatcher, TextOpcodesIgnoreAMissingBuffer) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (VstInt32 opcode :
         {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay,
          effGetParamName, effString2Parameter, effGetProgramNameIndexed, effGetEffectName,
          effGetVendorString, effGetProductString, effGetErrorText, effCanDo})
        EXPECT_EQ(dispatch(r, opcode, 0, 0, nullptr), 0) << opcode;
    EXPECT_EQ(dispatch(r, effProcessEvents, 0, 0, nullptr), 1);
}

TEST(Dispatcher, BaseDefaultsWriteEmptyTexts) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay,
                            effGetParamName, effSetProgramName}) {
        char text[16] = "something";
        dispatch(r, opcode, 0, 0, text);
        EXPECT_EQ(text[0], 0) << opcode;
    }
}

TEST(Dispatcher, UnhandledExtendedOpcodesAnswerZero) {
    BareEffect effect;
    AEffect* r = effect.getRecord();
    char text[64] = {};
    for (VstInt32 opcode = effGetInputProperties; opcode <= effGetVendorVersion; ++opcode) {
        if (opcode == effGetPlugCategory || opcode == effSetBlockSizeAndSampleRate) continue;
        EXPECT_EQ(dispatch(r, opcode, 0, 0, text), 0) << opcode;
    }
}

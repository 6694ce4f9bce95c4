// Sound: PlayWave.

#include "instructions/families.h"
#include "instructions/sound/play_wave.h"

namespace qel {

namespace {

const PlayWaveEditor kPlayWaveEditor;

} // namespace

Family soundFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kPlayWave,
         {InstructionList::Miscellaneous, 13},
         {},
         &kPlayWaveEditor,
         executePlayWave,
         {"Starts playing a sound from a .wav file; the program goes on at once while it plays. A new sound "
          "stops the one playing, and so does stopping the program. A file name without a folder is found "
          "beside the saved program.",
          "Wave File: the file's name, in double quotes, or a String variable; \"...\" picks a file.",
          {"\"ding.wav\""},
          {}}},
    };
    return descriptors;
}

} // namespace qel

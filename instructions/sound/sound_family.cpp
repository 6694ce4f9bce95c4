// Sound: PlayWave.

#include "instructions/families.h"

namespace qel {

Family soundFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kPlayWave,
         {InstructionList::Miscellaneous, 13},
         {},
         nullptr,
         nullptr,
         {"Plays a sound from a .wav file.",
          "Wave File: the file's name, in double quotes, or a String variable.",
          {},
          "PlayWaveFile \"ding.wav\""}},
    };
    return descriptors;
}

} // namespace qel

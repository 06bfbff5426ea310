#pragma once

namespace kelvora::platform {

// Makes the sound routine ready ahead of the alarm, so that the alarm sounds
// on time: on Linux this loads the audio library, which takes some
// milliseconds that the last tick should not spend. Cheap after the first call.
void PrepareSound();

}  // namespace kelvora::platform

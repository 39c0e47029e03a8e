// A look at the codebooks in an Ogg Vorbis file's setup headers before the decoder gets the file:
// libvorbis 1.3.7 accepts a codebook of dimension 0, or one whose codeword lengths make no whole
// prefix code (it fails to set that one up and leaves it blank), and then divides by zero decoding
// a sound packet that uses it: one corrupt sound file would end the game.
#pragma once

#include <cstdio>

class VorbisSetupCheck {
public:
    // Reads the whole file through and leaves it at its start. False only when the setup header of
    // a logical stream starting at any page the decoder could land on holds such a codebook;
    // headers too broken to read are left to the decoder, which refuses them itself.
    static bool codebooksUsable(std::FILE* file);

    // The same for one setup header packet.
    static bool setupUsable(const unsigned char* packet, long bytes);
};

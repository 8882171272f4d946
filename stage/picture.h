#pragma once
// A picture shown by the picture command. The picture code completes it.
class cPicture {
public:
};

// Stand-in until the stage's images are loaded by the stage resources: the
// screen starts with whatever surfaces are loaded already.
int LoadStageImages(int) { return 1; }

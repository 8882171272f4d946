#pragma once
// The starters of the two sub-loops that hold the game still (Windows):
// each runs its loop on its own thread (thPause, thRanking) and returns when
// that loop has ended. The game thread calls them and does nothing else
// meanwhile.

// The pause loop serving the scene's m_Wait. handshake: the new thread is
// posted its start message before the wait; the posting stops once the
// thread has ended (a loop that returned at once on the quit flag) or when
// none could be made.
void StartPauseLoop(int handshake);
// The ranking board of the cleared stage, with the start message.
void StartRankingLoop();

%DRAWWEIGHTED  Draw indices at random in proportion to their scores.
%   SAMPLES = DRAWWEIGHTED(SCOREVECTOR, NUMBERSAMPLES, REPLACEMENTOPTION)
%   draws NUMBERSAMPLES indices into SCOREVECTOR, each with a probability
%   proportional to its score, with or without replacement.
%
%   Inputs:
%     SCOREVECTOR        real double matrix. Its length L is the larger of
%                        its row and column counts, and its first L
%                        elements, read column-major, are the scores (for
%                        a vector, all of them). Scores are meant to be
%                        non-negative; they are not checked.
%     NUMBERSAMPLES      n, the number of draws (truncated toward zero).
%     REPLACEMENTOPTION  0 draws without replacement: a drawn index has
%                        its score set to 0 for the draws after it, and n
%                        must not exceed L. Any other value draws with
%                        replacement. The value is truncated toward zero
%                        first, so 0.5 or -0.4 select without replacement.
%
%   Output:
%     SAMPLES  1 x n double row of 1-based indices into the scores, in the
%              order drawn. Each draw takes a random integer g from 0 to
%              32767 and returns the first index whose running sum of
%              scores exceeds (g / 32767) * total. So an index with score 0
%              is never drawn, except that g = 32767 (target equal to the
%              total) returns L; with every score 0 every draw returns L.
%
%   Random sequence: the random state is 1 when the plug-in is loaded and
%   carries on from call to call (state = state * 214013 + 2531011 mod
%   2^32, g = bits 16 to 30 of the state), so the same calls give the same
%   draws on every machine. CLEAR DRAWWEIGHTED unloads the plug-in and so
%   restarts the sequence from its first value.
%
%   Errors: a count other than 3 inputs or more than 2 outputs (only
%   SAMPLES is ever assigned); SCOREVECTOR not a real double matrix of two
%   dimensions, or sparse; without replacement, n greater than L; an empty
%   SCOREVECTOR with n of 1 or more; a negative n; NUMBERSAMPLES or
%   REPLACEMENTOPTION empty, not numeric, NaN, or outside the signed
%   32-bit range once truncated.
%
%   Example:
%     clear drawweighted              % start the sequence afresh
%     s = drawweighted([1 2 3], 5, 1) % five draws with replacement
%     p = drawweighted([5 1 1 1], 4, 0)  % without replacement: as a rule
%                                        % a permutation of 1:4
%
%   See also GREEDYPICK.

% SPDX-License-Identifier: MIT

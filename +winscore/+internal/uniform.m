function u = uniform (seed, count)
%UNIFORM  COUNT numbers in [0, 1) from the toolbox's own seeded generator.
%   U = winscore.internal.uniform(SEED, COUNT) is a COUNT x 1 column. The
%   generator is the linear congruence s = mod(214013 s + 2531011, 2^32),
%   started from s = SEED (a whole number in 0..2^32-1); each number is a
%   state divided by 2^32. Every step is integer arithmetic on doubles below
%   2^53 with power-of-two moduli, so it is exact and gives the same numbers
%   in every host; it never touches the host's own random state. The states
%   are made a block at a time: the map that moves a state n steps on is
%   itself a linear congruence, (A, C), and doubles with n.
%
%   The last call's numbers are kept (up to 2^17 of them, 1 MB) and handed
%   out again for the same SEED and COUNT: winscore.propose run over many
%   images with the same options asks for the same numbers every time.

% SPDX-License-Identifier: MIT

  persistent lastSeed lastCount lastU
  if isequal (seed, lastSeed) && isequal (count, lastCount)
    u = lastU;
    return;
  end
  M = 2 ^ 32;
  A = 214013;
  C = 2531011;
  s = mod (A * seed + C, M);
  while numel (s) < count
    s = [s; mod(multiply (A, s) + C, M)];   % the next numel(s) states
    C = mod (multiply (A, C) + C, M);
    A = multiply (A, A);
  end
  u = s(1:count, 1) / M;
  if count <= 2 ^ 17
    lastSeed = seed;
    lastCount = count;
    lastU = u;
  end
end

function p = multiply (a, s)
  % mod(a * s, 2^32) for a and s below 2^32, exact: a is split into 16-bit
  % halves so that no product reaches 2^53.
  high = floor (a / 65536);
  low = a - high * 65536;
  p = mod (mod (high * s, 65536) * 65536 + low * s, 2 ^ 32);
end

function words = build_fact (name)
  % The blank-separated words of the line NAME = words in build-facts.mk at
  % the top of the repository; an error when the file or the line is missing.
  file = fullfile (fileparts (fileparts (fileparts (mfilename ("fullpath")))), "build-facts.mk");
  if (! exist (file, "file"))
    error ("build_fact: %s is missing", file);
  end
  line = regexp (fileread (file), ['^' name '[ \t]*=([^\r\n]*)'], "tokens", "once", "lineanchors");
  if (isempty (line))
    error ("build_fact: build-facts.mk does not set %s", name);
  end
  words = strsplit (strtrim (line{1}));
  words = words(! cellfun (@isempty, words));
end
